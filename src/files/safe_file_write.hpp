#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ferrolith {

// Writes bytes to the file at path so that a failure never destroys what was there and nothing
// of the attempt outlives the program. Returns the failure's description ("Permission denied",
// "No space left on device", "File too large" ...), or nothing on success.
//
// - A symbolic link is followed, however many there are; the link stays. A dangling link creates
//   the file it names.
// - An existing target that is not a regular file (a device, a FIFO, /dev/stdout) is opened and
//   written directly.
// - An existing regular file the user may not write is left as it is: "Permission denied".
// - An existing regular file with other hard links, or owned by another user, is written in
//   place, so its links, owner and mode stay; the space is reserved before the first byte is
//   overwritten, so a full disk or a size limit leaves it untouched wherever the file system
//   can reserve space. SIGINT, SIGTERM, SIGHUP and SIGQUIT, in whichever thread they arrive,
//   wait until the file is whole and then take their course; SIGKILL or a power cut can still
//   leave it part new, part old.
// - Otherwise the bytes go to a temporary file in the target's folder, flushed to the disk and
//   then renamed over the target, which keeps its permissions. The temporary file has no name
//   until it is complete where the system allows it (O_TMPFILE); elsewhere a named one is removed
//   on failure and by those four signals. Names up to the file system's limit work.
// - A target that another program creates while the save is under way is then saved over as an
//   existing one (its mode, links and owner kept as above): the save that ends last stays.
// - A file-size limit (SIGXFSZ) fails the write with "File too large" instead of ending the
//   program.
std::optional<std::string> writeFileSafely(const std::string& path, std::string_view bytes);

// Test seams: betweenChunks runs after each chunk written (a test interrupts a save part-way
// there), and namedTemporary forces the named temporary file of systems without O_TMPFILE.
struct SafeWriteTestHooks {
    std::function<void()> betweenChunks;
    bool namedTemporary = false;
};
void setSafeWriteTestHooks(SafeWriteTestHooks hooks);

}  // namespace ferrolith
