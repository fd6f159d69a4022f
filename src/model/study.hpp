#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/default_counts.hpp"
#include "model/input_variable.hpp"
#include "model/project_details.hpp"
#include "model/target_basis.hpp"

namespace ferrolith {

// What a seed may be, as messages about a seed state it.
inline constexpr const char* seedRangeText = "a whole number from 0 to 18446744073709551615";

// The reliability index a design is to reach unless its study says otherwise (RC2 over 50 years),
// and the largest a typed target may be.
inline constexpr double defaultTargetIndex = 3.8;
inline constexpr double largestTargetIndex = 8.0;

// Whether a study may type the index: 0 to largestTargetIndex, not NaN.
bool isTargetIndex(double index);

// The inputs of an analysis as the window holds them: texts as typed, not numbers, so that a
// study restores the window exactly and its run gives the same report as typing it in.
struct Study {
    std::string repetitions{defaultRepetitionsText};
    std::string samples{defaultSampleSizeText};
    std::array<std::string, inputVariableCount> parameters;     // the window's defaults
    std::array<std::string, inputVariableCount> distributions;  // empty: nothing chosen
    std::optional<std::uint64_t> seed;  // of the uniform source; nothing: from the clock
    // Whether a method's beta meets its index is the results window's verdict.
    TargetBasis target;
    // Of PointLoadValue and UdlValue, in loadVariables' order.
    std::array<LoadRole, loadVariables.size()> loadRoles{};
    CharacteristicFractiles fractiles;
    // The record's project, engineer and checker; no part of the inputs.
    ProjectDetails project;

    Study();

    bool operator==(const Study&) const = default;
};

// What a study holds beside its inputs, given from one study to another: what its verdicts and
// design values rest on (the target, the loads' roles and the characteristic fractiles), and the
// record's project details.
void copyBasis(const Study& from, Study& to);

// The role of a load (one of loadVariables; std::out_of_range for another input).
LoadRole roleOf(const Study& study, InputVariable load);
void setRole(Study& study, InputVariable load, LoadRole role);
// A load whose law is of maxima over the reference period.
bool isVariableLoad(const Study& study, InputVariable variable);

}  // namespace ferrolith
