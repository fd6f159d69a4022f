#pragma once

#include <string>

#include "model/branch.hpp"
#include "model/study.hpp"

namespace ferrolith {

// What an input's characteristic value is taken as, by its role.
enum class CharacteristicKind {
    Fractile,              // Allowable Stress: the study's resistance fractile of its law
    Nominal,               // Beam Width and Depth: the mean, with a partial factor
    AnnualMaximum,         // a variable load: its fractile of the annual maximum
    PermanentMean,         // a permanent load: the mean
    NominalWithoutFactor,  // span and load position: the mean, no partial factor
};

// An input's characteristic value, of the law the design draws for it, with how it is taken.
struct Characteristic {
    CharacteristicKind kind = CharacteristicKind::NominalWithoutFactor;
    std::string basis;   // "5% fractile", "98% fractile of the annual maximum (36.42% of the
                         // 50-year law)", "mean"
    double value = 0.0;  // NaN where the parameters give no law
};

// The characteristic value of variable, drawn by branch with the parameters a and b, by its role
// in study.
Characteristic characteristicValue(const Study& study, InputVariable variable, Branch branch,
                                   double a, double b);

// "5%", "98%", "36.42%": a probability as the basis texts write it, to four figures.
std::string percentText(double p);

}  // namespace ferrolith
