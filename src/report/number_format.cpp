#include "report/number_format.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace ferrolith {

namespace {

constexpr int significantDigits = 15;
constexpr int singleSignificantDigits = 7;

// A positive finite magnitude as d.ddd... x 10^exponent, rounded to a number of significant
// digits.
struct DecimalForm {
    std::string digits;
    int exponent = 0;
};

template <typename Real>
DecimalForm decimalForm(Real magnitude, int significant) {
    // to_chars ignores the locale, unlike printf, which a windowed process may have switched.
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, magnitude,
                                   std::chars_format::scientific, significant - 1)
                         .ptr;
    DecimalForm form;
    const char* p = text;
    for (; *p != 'e'; ++p) {
        if (*p != '.') form.digits += *p;
    }
    ++p;
    const bool negativeExponent = *p == '-';
    ++p;
    std::from_chars(p, end, form.exponent);
    if (negativeExponent) form.exponent = -form.exponent;
    return form;
}

// Adds one unit in the last place of a string of decimal digits.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// magnitude times 10^scale rounded to a whole number half away from zero, as decimal digits without
// leading zeros. The rounding works on the 15-digit decimal form, never on the binary value.
std::string roundedUnits(double magnitude, int scale) {
    if (magnitude == 0.0) return "0";
    const DecimalForm form = decimalForm(magnitude, significantDigits);
    // The form's digits read as a whole number N stand for N x 10^(exponent - 14).
    const int shift = form.exponent - (significantDigits - 1) + scale;
    if (shift >= 0) return form.digits + std::string(static_cast<std::size_t>(shift), '0');
    const int keep = significantDigits + shift;
    if (keep < 0) return "0";
    std::string units = form.digits.substr(0, static_cast<std::size_t>(keep));
    if (form.digits[static_cast<std::size_t>(keep)] >= '5') incrementDigits(units);
    const auto first = units.find_first_not_of('0');
    return first == std::string::npos ? "0" : units.substr(first);
}

std::optional<std::string> nonFiniteText(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x < 0 ? "-Infinity" : "Infinity";
    return std::nullopt;
}

// Every negative figure keeps its "-", even one that rounds to zero, so "-0.000" never reads as
// the exact zero it is not; zero itself, +0 or -0, is written unsigned.
std::string withSign(double x, std::string text) {
    return x < 0 ? std::string("-").append(text) : text;
}

// x times 10^scale with three decimals: "0.000" for scale 0, the "0.000" part of "0.000%" for 2.
std::string threeDecimals(double x, int scale) {
    if (auto text = nonFiniteText(x)) return *text;
    const std::string units = roundedUnits(std::fabs(x), scale + 3);
    const std::string padded =
        units.size() < 4 ? std::string(4 - units.size(), '0') + units : units;
    const std::size_t point = padded.size() - 3;
    return withSign(x, padded.substr(0, point) + "." + padded.substr(point));
}

int floorToMultipleOfThree(int n) { return n >= 0 ? n / 3 * 3 : -((-n + 2) / 3 * 3); }

std::string exponentText(char marker, int exponent, std::size_t minimumDigits) {
    std::string digits = std::to_string(std::abs(exponent));
    if (digits.size() < minimumDigits)
        digits = std::string(minimumDigits - digits.size(), '0') + digits;
    return std::string(1, marker) + (exponent < 0 ? "-" : "+") + digits;
}

// General form of a finite non-zero figure: fixed notation for exponents -4 to precision - 1,
// scientific beyond, trailing zeros of the fraction dropped.
std::string generalText(bool negative, DecimalForm form, int precision) {
    const auto last = form.digits.find_last_not_of('0');
    form.digits.erase(last + 1);
    std::string text;
    if (form.exponent < -4 || form.exponent >= precision) {
        text = form.digits.substr(0, 1);
        if (form.digits.size() > 1) text.append(".").append(form.digits, 1);
        text += exponentText('E', form.exponent, 2);
    } else if (form.exponent < 0) {
        text = std::string("0.")
                   .append(static_cast<std::size_t>(-form.exponent - 1), '0')
                   .append(form.digits);
    } else {
        const auto whole = static_cast<std::size_t>(form.exponent) + 1;
        if (form.digits.size() <= whole) {
            text = form.digits + std::string(whole - form.digits.size(), '0');
        } else {
            text = form.digits.substr(0, whole) + "." + form.digits.substr(whole);
        }
    }
    return negative ? std::string("-").append(text) : text;
}

}  // namespace

std::string formatFixed(double x) { return threeDecimals(x, 0); }

std::string formatPercent(double x) {
    if (auto text = nonFiniteText(x)) return *text;
    // The factor 100 shifts the decimal form, so it adds no binary rounding of its own.
    return threeDecimals(x, 2) + "%";
}

std::string formatMilliseconds(double x) { return threeDecimals(x, 0); }

std::string formatEngineering(double x) {
    if (auto text = nonFiniteText(x)) return *text;
    if (x == 0.0) return "0e+0";
    const double magnitude = std::fabs(x);
    int exponent = floorToMultipleOfThree(decimalForm(magnitude, significantDigits).exponent);
    std::string mantissa = roundedUnits(magnitude, -exponent);
    if (mantissa == "1000") {
        mantissa = "1";
        exponent += 3;
    }
    return withSign(x, mantissa + exponentText('e', exponent, 1));
}

std::string formatGeneral(double x) {
    if (auto text = nonFiniteText(x)) return *text;
    if (x == 0.0) return "0";
    return generalText(x < 0, decimalForm(std::fabs(x), significantDigits), significantDigits);
}

std::string formatSingle(float x) {
    if (auto text = nonFiniteText(x)) return *text;
    if (x == 0.0f) return "0";
    return generalText(x < 0, decimalForm(std::fabs(x), singleSignificantDigits),
                       singleSignificantDigits);
}

}  // namespace ferrolith
