#include "run/message_text.hpp"

namespace ferrolith {

namespace {

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

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
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (lineBreak && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += lineBreak;
            ++i;
        } else if (isControl(c)) {
            appendEscape(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace

std::string escapeControlCharacters(std::string_view text, LineBreaks lineBreaks) {
    return escaped(text, lineBreaks == LineBreaks::Keep ? "\r\n" : nullptr);
}

std::string oneLineMessage(std::string_view text) { return escaped(text, " "); }

}  // namespace ferrolith
