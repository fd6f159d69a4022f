#include "model/project_details.hpp"

namespace ferrolith {

std::string& fieldOf(ProjectDetails& details, ProjectField field) {
    switch (field) {
        case ProjectField::Engineer:
            return details.engineer;
        case ProjectField::Checker:
            return details.checker;
        case ProjectField::Project:
            break;
    }
    return details.project;
}

const std::string& fieldOf(const ProjectDetails& details, ProjectField field) {
    return fieldOf(const_cast<ProjectDetails&>(details), field);
}

namespace {

// The length of the UTF-8 sequence that starts with lead, 0 for a byte that starts none.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::optional<std::string> projectTextFault(std::string_view text) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++characters) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || at + length > text.size()) return "is not UTF-8 text";
        for (std::size_t k = 1; k < length; ++k)
            if (!isContinuation(static_cast<unsigned char>(text[at + k])))
                return "is not UTF-8 text";
        if (lead < 0x20 || lead == 0x7F)
            return lead == '\n' || lead == '\r' ? "holds a line break; it must be one line"
                                                : "holds a control character";
        at += length;
    }
    if (characters > longestProjectText)
        return "is " + std::to_string(characters) + " characters long; it may be at most " +
               std::to_string(longestProjectText);
    return std::nullopt;
}

}  // namespace ferrolith
