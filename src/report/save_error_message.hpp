#pragma once

#include <string>

#include "report/message_text.hpp"

namespace ferrolith {

// The message for a file that could not be written (the report, a study, results): the name
// with its control characters escaped, CR LF, and the failure's description.
inline std::string saveErrorMessage(const std::string& path, const std::string& description) {
    return "Error while saving file " + escapeControlCharacters(path, LineBreaks::Escape) + "\r\n" +
           description;
}

}  // namespace ferrolith
