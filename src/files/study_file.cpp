#include "files/study_file.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "files/safe_file_write.hpp"
#include "files/study_json.hpp"
#include "files/study_text_check.hpp"
#include "report/message_text.hpp"

namespace ferrolith {

namespace {

using Json = nlohmann::ordered_json;

[[noreturn]] void refuse(const std::string& path, const std::string& problem) {
    // The name stays whole, so that the file can be found, but cannot break the message's line.
    throw StudyFileError("The study file " + escapeControlCharacters(path, LineBreaks::Escape) +
                         " " + problem);
}

// Reads at most one byte past the limit, so an oversized file is never loaded whole.
std::string readLimited(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) refuse(path, std::string("cannot be opened: ") + std::strerror(errno));
    std::string data(largestStudyFile + 1, '\0');
    in.read(data.data(), static_cast<std::streamsize>(data.size()));
    if (in.bad()) refuse(path, std::string("cannot be read: ") + std::strerror(errno));
    data.resize(static_cast<std::size_t>(in.gcount()));
    if (data.size() > largestStudyFile)
        refuse(path, "is larger than 1 MiB; a study is a few hundred bytes.");
    return data;
}

}  // namespace

Study parseStudyText(const std::string& text, const std::string& path) {
    if (const auto fault = studyTextFault(text)) refuse(path, *fault);
    try {
        return studyFromJson(Json::parse(text));
    } catch (const StudyFormatError& e) {
        refuse(path, std::string("is not a study: ") + e.what());
    }
}

Study readStudyFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) refuse(path, "is a folder.");
    return parseStudyText(readLimited(path), path);
}

std::string studyFileText(const Study& study) {
    // A text that is not UTF-8 (only a command line can give one) is written with U+FFFD in its
    // place rather than not at all.
    return studyToJson(study).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<std::string> writeStudyFile(const std::string& path, const Study& study) {
    return writeFileSafely(path, studyFileText(study));
}

}  // namespace ferrolith
