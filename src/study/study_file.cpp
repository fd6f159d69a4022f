#include "study/study_file.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "run/safe_file_write.hpp"
#include "study/study_json.hpp"

namespace ferrolith {

namespace {

using Json = nlohmann::ordered_json;

[[noreturn]] void refuse(const std::string& path, const std::string& problem) {
    throw StudyFileError("The study file " + path + " " + problem);
}

// nlohmann names the place of a syntax error by its byte offset; people read lines and columns.
std::string lineAndColumn(const std::string& text, std::size_t byte) {
    const std::size_t at = std::min(byte > 0 ? byte - 1 : 0, text.size());
    const std::string_view before(text.data(), at);
    const std::size_t line = 1 + std::count(before.begin(), before.end(), '\n');
    const std::size_t lastBreak = before.rfind('\n');
    const std::size_t column = lastBreak == std::string_view::npos ? at + 1 : at - lastBreak;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The parser's own words, without its exception number and position prefix.
std::string syntaxProblem(const nlohmann::json::parse_error& e) {
    const std::string what = e.what();
    const std::size_t column = what.find("column ");
    const std::size_t colon = column == std::string::npos ? column : what.find(": ", column);
    return colon == std::string::npos ? what : what.substr(colon + 2);
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
    // The parser takes a NUL byte for the end of its input; JSON has no place for one.
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos)
        refuse(path, "is not JSON: " + lineAndColumn(text, nul + 1) + ": a NUL byte");
    Json json;
    try {
        json = Json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        refuse(path, "is not JSON: " + lineAndColumn(text, e.byte) + ": " + syntaxProblem(e));
    }
    try {
        return studyFromJson(json);
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
