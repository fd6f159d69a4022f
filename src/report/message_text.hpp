#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ferrolith {

enum class LineBreaks {
    Keep,    // CR LF pairs stay: they are the line breaks of the fixed message texts
    Escape,  // every control character is escaped: for text the user gave
};

// Text for a message on a terminal or in a message box: control characters, DEL and bytes that
// are not part of a UTF-8 character are written as escapes ("\n", "\r", "\t", "\x1b", "\x7f",
// "\xff") so that user text can neither break a message into lines nor send control sequences to
// a terminal, and every message is UTF-8. Other characters, backslashes included, stay.
std::string escapeControlCharacters(std::string_view text, LineBreaks lineBreaks);

// A message as one line of the terminal: its CR LF line breaks become blanks, every other control
// character and every byte that is not UTF-8 is escaped.
std::string oneLineMessage(std::string_view text);

// The most characters of a user's text that a message shows.
inline constexpr std::size_t longestQuote = 60;

// User text as a message shows it: its first 60 characters (a byte that is not UTF-8 counts as
// one), then "…" when there is more, every control character escaped.
std::string shortenedText(std::string_view text);

// The same in double quotes, as messages quote the texts they refuse.
std::string quotedText(std::string_view text);

// "…" and the last 60 characters when there is more: for text whose fault is at its end.
std::string shortenedTail(std::string_view text);

}  // namespace ferrolith
