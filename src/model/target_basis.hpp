#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/input_variable.hpp"

namespace ferrolith {

// The consequence class of EN 1990 Annex B: RC1 low, RC2 medium, RC3 high.
enum class ReliabilityClass { RC1, RC2, RC3 };

inline constexpr std::array<std::string_view, 3> reliabilityClassNames{"RC1", "RC2", "RC3"};

// What the variable loads' laws describe: their maxima over 1 year or over 50 years.
enum class ReferencePeriod { OneYear, FiftyYears };

inline constexpr std::array<int, 2> referencePeriodYears{1, 50};

constexpr int years(ReferencePeriod period) {
    return referencePeriodYears[static_cast<std::size_t>(period)];
}
constexpr ReferencePeriod otherPeriod(ReferencePeriod period) {
    return period == ReferencePeriod::OneYear ? ReferencePeriod::FiftyYears
                                              : ReferencePeriod::OneYear;
}

// The target reliability index of EN 1990 Annex B Table B2, ultimate limit states: 4.2, 4.7, 5.2
// over 1 year and 3.3, 3.8, 4.3 over 50 years for RC1, RC2, RC3.
double tableTarget(ReliabilityClass reliabilityClass, ReferencePeriod period);

// A target the user typed, and where it comes from ("client's brief", "command line").
struct TypedTarget {
    double index = 0.0;
    std::string source;

    bool operator==(const TypedTarget&) const = default;
};

// The index a design is to reach, and what it rests on.
struct TargetBasis {
    ReliabilityClass reliabilityClass = ReliabilityClass::RC2;
    ReferencePeriod period = ReferencePeriod::FiftyYears;
    std::optional<TypedTarget> typed;  // none: the table's figure for the class and the period

    double index() const;

    bool operator==(const TargetBasis&) const = default;
};

// What a load is: permanent (self-weight, its law as typed whatever the period) or variable
// (its law the maxima over the reference period).
enum class LoadRole { Variable, Permanent };

inline constexpr std::array<std::string_view, 2> loadRoleNames{"variable", "permanent"};

// The inputs that carry a role, in input order.
inline constexpr std::array<InputVariable, 2> loadVariables{InputVariable::PointLoadValue,
                                                            InputVariable::UdlValue};

bool isLoad(InputVariable variable);

// The fractiles that fix the characteristic values: of Allowable Stress's law, and of a variable
// load's annual maximum. Each lies strictly between 0 and 1.
struct CharacteristicFractiles {
    double resistance = 0.05;
    double variableLoad = 0.98;

    bool operator==(const CharacteristicFractiles&) const = default;
};

bool isFractile(double p);

}  // namespace ferrolith
