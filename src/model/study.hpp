#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/default_counts.hpp"
#include "model/input_variable.hpp"

namespace ferrolith {

// What a seed may be, as messages about a seed state it.
inline constexpr const char* seedRangeText = "a whole number from 0 to 18446744073709551615";

// The reliability index a design is to reach unless its study says otherwise, and the largest
// a study may ask for.
inline constexpr double defaultTargetIndex = 3.8;
inline constexpr double largestTargetIndex = 8.0;

// Whether a study may ask for the index: 0 to largestTargetIndex, not NaN.
bool isTargetIndex(double index);

// The inputs of an analysis as the window holds them: texts as typed, not numbers, so that a
// study restores the window exactly and its run gives the same report as typing it in.
struct Study {
    std::string repetitions{defaultRepetitionsText};
    std::string samples{defaultSampleSizeText};
    std::array<std::string, inputVariableCount> parameters;     // the window's defaults
    std::array<std::string, inputVariableCount> distributions;  // empty: nothing chosen
    std::optional<std::uint64_t> seed;  // of the uniform source; nothing: from the clock
    // Whether a method's beta meets it is the results window's verdict; 0 to largestTargetIndex.
    double targetIndex = defaultTargetIndex;

    Study();

    bool operator==(const Study&) const = default;
};

}  // namespace ferrolith
