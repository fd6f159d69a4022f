#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ferrolith {

// Who the calculation is for and who signs it: printed on the record's first page, each empty
// until given.
struct ProjectDetails {
    std::string project;
    std::string engineer;
    std::string checker;

    bool operator==(const ProjectDetails&) const = default;
};

// The fields in order, as the study file, the driver's options and the window name them.
enum class ProjectField { Project, Engineer, Checker };
inline constexpr std::array<std::string_view, 3> projectFieldNames{"project", "engineer",
                                                                   "checker"};

std::string& fieldOf(ProjectDetails& details, ProjectField field);
const std::string& fieldOf(const ProjectDetails& details, ProjectField field);

// The most characters a field may hold: one line of the record.
inline constexpr std::size_t longestProjectText = 100;

// Why text cannot be a field: not UTF-8, a line break or another control character, more than
// longestProjectText characters. Nothing when it can.
std::optional<std::string> projectTextFault(std::string_view text);

}  // namespace ferrolith
