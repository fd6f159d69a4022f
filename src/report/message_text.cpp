#include "report/message_text.hpp"

#include <algorithm>
#include <boost/locale/utf.hpp>

namespace ferrolith {

namespace {

constexpr std::string_view ellipsis = "\xE2\x80\xA6";  // …

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

// The length of the UTF-8 character at text[at]; 0 when the byte there does not begin one
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t characterLength(std::string_view text, std::size_t at) {
    namespace utf = boost::locale::utf;
    auto p = text.begin() + static_cast<std::ptrdiff_t>(at);
    const utf::code_point c = utf::utf_traits<char>::decode(p, text.end());
    if (c == utf::illegal || c == utf::incomplete) return 0;
    return static_cast<std::size_t>(p - text.begin()) - at;
}

void appendEscape(std::string& out, unsigned char c) {
    switch (c) {
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default: {
            constexpr char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 0xf];
        }
    }
}

// Copies text, writing each CR LF pair as lineBreak when it is given and escaping the rest.
std::string escaped(std::string_view text, const char* lineBreak) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = isControl(c) ? 0 : characterLength(text, i);
        if (lineBreak && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += lineBreak;
            i += 2;
        } else if (length == 0) {
            appendEscape(out, c);
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

// The byte at which character n of text begins (text's size when it has no more); a byte that is
// not UTF-8 counts as a character.
std::size_t characterOffset(std::string_view text, std::size_t n) {
    std::size_t at = 0;
    for (; n > 0 && at < text.size(); --n)
        at += std::max<std::size_t>(characterLength(text, at), 1);
    return at;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        at += std::max<std::size_t>(characterLength(text, at), 1);
    return count;
}

}  // namespace

std::string escapeControlCharacters(std::string_view text, LineBreaks lineBreaks) {
    return escaped(text, lineBreaks == LineBreaks::Keep ? "\r\n" : nullptr);
}

std::string oneLineMessage(std::string_view text) { return escaped(text, " "); }

std::string shortenedText(std::string_view text) {
    const std::size_t end = characterOffset(text, longestQuote);
    if (end == text.size()) return escaped(text, nullptr);
    return escaped(text.substr(0, end), nullptr) + std::string(ellipsis);
}

std::string quotedText(std::string_view text) { return "\"" + shortenedText(text) + "\""; }

std::string shortenedTail(std::string_view text) {
    const std::size_t count = characterCount(text);
    if (count <= longestQuote) return escaped(text, nullptr);
    return std::string(ellipsis) +
           escaped(text.substr(characterOffset(text, count - longestQuote)), nullptr);
}

}  // namespace ferrolith
