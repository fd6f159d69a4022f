// The text of a study file, as --study, Open Study and a dropped file read it. Besides the
// sanitizers' checks: the reader throws nothing but its own refusal, whose message is one short
// line of UTF-8, and a study it accepts is written back as a file that reads as the same study.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/study_file.hpp"
#include "report/message_text.hpp"

namespace {

using namespace ferrolith;

// The longest refusal: its fixed words, a shortened text of 60 characters of at most 4 bytes
// each, and the name below.
constexpr std::size_t longestRefusal = 1000;

void require(bool promise) {
    if (!promise) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const Study study = parseStudyText(text, "fuzz.json");
        require(parseStudyText(studyFileText(study), "again.json") == study);
    } catch (const StudyFileError& e) {
        const std::string message = e.what();
        require(oneLineMessage(message) == message);
        require(message.size() <= longestRefusal);
    }
    return 0;
}
