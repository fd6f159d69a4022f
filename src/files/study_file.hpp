#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

#include "model/study.hpp"

namespace ferrolith {

// The extension Save Study As gives a study (its MIME type application/x-ferrolith-study); a
// study reads whatever its name, ".json" as well.
inline constexpr const char* studyExtension = "ferrolith";

// A file that cannot be read as a study; the message names the file and what is wrong.
class StudyFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A study is a few hundred bytes; a larger file is refused before it is read whole.
inline constexpr std::size_t largestStudyFile = std::size_t{1} << 20;

// Reads and checks the study file at path. Throws StudyFileError.
Study readStudyFile(const std::string& path);

// Parses text as the contents of the study file named path. Throws StudyFileError, and nothing
// else whatever the text.
Study parseStudyText(const std::string& text, const std::string& path);

// The file's contents: indented JSON ending with a line end.
std::string studyFileText(const Study& study);

// Writes the study to path through the safe save; returns the failure's description.
std::optional<std::string> writeStudyFile(const std::string& path, const Study& study);

}  // namespace ferrolith
