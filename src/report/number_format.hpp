#pragma once

#include <string>

namespace ferrolith {

// The report's number formats. Every one writes "." as the decimal separator and "-" before a
// negative figure, never groups digits, and rounds half away from zero on the figure's decimal
// form with 15 significant digits, so 1.0005 (a double just below it) gives "1.001". A negative
// figure that rounds to zero keeps its sign ("-0.000"); zero itself is unsigned. Non-finite figures
// are written "Infinity", "-Infinity" or "NaN" in place of the whole formatted text. None of them
// depends on the process locale.

// "0.000": at least one digit before the point, exactly three after it.
std::string formatFixed(double x);

// "0.000%": the figure times 100 as "0.000", then "%".
std::string formatPercent(double x);

// "#0.000": milliseconds; the optional leading digit changes nothing against "0.000".
std::string formatMilliseconds(double x);

// "##0e+0#": a whole-number mantissa of 1 to 999 and an exponent that is a multiple of 3,
// written with its sign and as many digits as it needs ("10e+0", "991e-3", "100e-12").
std::string formatEngineering(double x);

// The shortest general form of a double at 15 significant digits: plain digits for integral
// values ("25000"), a decimal fraction otherwise, and "1E+15" style beyond that range.
std::string formatGeneral(double x);

// The same general form at the 7 significant digits of a single-precision number.
std::string formatSingle(float x);

}  // namespace ferrolith
