#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace ferrolith {

// How deep lists and objects may nest in a study file; a study itself nests 3 deep. Deeper values
// are refused before they are built: building and freeing them recurses once a level.
inline constexpr std::size_t deepestStudyNesting = 64;

// Why text cannot be read as JSON for a study, found before any value is built from it: a syntax
// error or a number beyond a double's range (by line and column), lists and objects nested
// deeper than deepestStudyNesting, or a key given twice in one object (by field). The words
// follow the file's name in the refusal, as in "is not JSON: line 3, column 4: ...". Nothing when
// the text can be read.
std::optional<std::string> studyTextFault(const std::string& text);

}  // namespace ferrolith
