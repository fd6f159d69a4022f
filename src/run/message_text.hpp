#pragma once

#include <string>
#include <string_view>

namespace ferrolith {

enum class LineBreaks {
    Keep,    // CR LF pairs stay: they are the line breaks of the fixed message texts
    Escape,  // every control character is escaped: for text the user gave
};

// Text for a message on a terminal or in a message box: control characters and DEL are written
// as escapes ("\n", "\r", "\t", "\x1b", "\x7f") so that user text can neither break a message
// into lines nor send control sequences to a terminal. Other bytes, backslashes included, stay.
std::string escapeControlCharacters(std::string_view text, LineBreaks lineBreaks);

// A message as one line of the terminal: its CR LF line breaks become blanks, every other control
// character is escaped.
std::string oneLineMessage(std::string_view text);

}  // namespace ferrolith
