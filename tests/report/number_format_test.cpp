#include "report/number_format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ferrolith {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(FormatFixed, ThreeDecimals) {
    EXPECT_EQ(formatFixed(18.123456), "18.123");
    EXPECT_EQ(formatFixed(0.5), "0.500");
    EXPECT_EQ(formatFixed(1234.5678), "1234.568");
    EXPECT_EQ(formatFixed(-0.0095018), "-0.010");
    EXPECT_EQ(formatFixed(19), "19.000");
    EXPECT_EQ(formatFixed(0), "0.000");
    EXPECT_EQ(formatFixed(0.0004), "0.000");
    EXPECT_EQ(formatFixed(1e-300), "0.000");
}

TEST(FormatFixed, RoundsHalfAwayFromZeroOnTheFifteenDigitForm) {
    // Each of these doubles lies just below its decimal text; rounding the binary value would
    // give the lower figure.
    EXPECT_EQ(formatFixed(1.0005), "1.001");
    EXPECT_EQ(formatFixed(1.2345), "1.235");
    EXPECT_EQ(formatFixed(-1.0005), "-1.001");
    EXPECT_EQ(formatFixed(0.0005), "0.001");
    EXPECT_EQ(formatFixed(-0.0005), "-0.001");
    EXPECT_EQ(formatFixed(2.0004999), "2.000");
}

TEST(FormatFixed, CarriesIntoNewDigits) {
    EXPECT_EQ(formatFixed(9.9995), "10.000");
    EXPECT_EQ(formatFixed(0.9999), "1.000");
    EXPECT_EQ(formatFixed(999.9996), "1000.000");
    EXPECT_EQ(formatFixed(-99.99951), "-100.000");
}

TEST(FormatFixed, NegativeFiguresThatRoundToZeroKeepTheirSign) {
    EXPECT_EQ(formatFixed(-0.0001), "-0.000");
    EXPECT_EQ(formatFixed(-0.00049999), "-0.000");
    EXPECT_EQ(formatFixed(-0.000128), "-0.000");
    EXPECT_EQ(formatFixed(-1e-300), "-0.000");
    EXPECT_EQ(formatMilliseconds(-0.0001), "-0.000");
}

TEST(FormatFixed, ZeroCarriesNoSign) {
    EXPECT_EQ(formatFixed(0.0), "0.000");
    EXPECT_EQ(formatFixed(+0.0), "0.000");
    EXPECT_EQ(formatFixed(-0.0), "0.000");
    EXPECT_EQ(formatMilliseconds(-0.0), "0.000");
}

TEST(FormatFixed, LargeFiguresKeepFifteenSignificantDigitsAndNoGrouping) {
    EXPECT_EQ(formatFixed(1234567.125), "1234567.125");
    EXPECT_EQ(formatFixed(1e20), "100000000000000000000.000");
    EXPECT_EQ(formatFixed(123456789012345678.0), "123456789012346000.000");
    EXPECT_EQ(formatFixed(-1073676289), "-1073676289.000");
}

TEST(FormatPercent, HundredfoldWithThreeDecimals) {
    EXPECT_EQ(formatPercent(0.1037188), "10.372%");
    EXPECT_EQ(formatPercent(0.0123), "1.230%");
    EXPECT_EQ(formatPercent(1.0095018), "100.950%");
    EXPECT_EQ(formatPercent(0), "0.000%");
    EXPECT_EQ(formatPercent(-0.0), "0.000%");
    EXPECT_EQ(formatPercent(1), "100.000%");
    EXPECT_EQ(formatPercent(-0.5), "-50.000%");
    EXPECT_EQ(formatPercent(-0.0000001), "-0.000%");
    EXPECT_EQ(formatPercent(-0.00000128), "-0.000%");
    EXPECT_EQ(formatPercent(0.0000125), "0.001%");
    EXPECT_EQ(formatPercent(0.012345), "1.235%");
}

TEST(FormatMilliseconds, AsFixed) {
    EXPECT_EQ(formatMilliseconds(0.4938), "0.494");
    EXPECT_EQ(formatMilliseconds(12.3456), "12.346");
    EXPECT_EQ(formatMilliseconds(0), "0.000");
    EXPECT_EQ(formatMilliseconds(1.0005), "1.001");
}

TEST(FormatEngineering, MantissaOneToThreeDigitsExponentMultipleOfThree) {
    EXPECT_EQ(formatEngineering(9.6414), "10e+0");
    EXPECT_EQ(formatEngineering(1234.5), "1e+3");
    EXPECT_EQ(formatEngineering(999.7), "1e+3");
    EXPECT_EQ(formatEngineering(0.99059), "991e-3");
    EXPECT_EQ(formatEngineering(12345678), "12e+6");
    EXPECT_EQ(formatEngineering(0), "0e+0");
    EXPECT_EQ(formatEngineering(1e-10), "100e-12");
    EXPECT_EQ(formatEngineering(1), "1e+0");
    EXPECT_EQ(formatEngineering(0.5), "500e-3");
    EXPECT_EQ(formatEngineering(1000), "1e+3");
    EXPECT_EQ(formatEngineering(99.06), "99e+0");
    EXPECT_EQ(formatEngineering(123456), "123e+3");
}

TEST(FormatEngineering, RoundingAndCarry) {
    EXPECT_EQ(formatEngineering(999.5), "1e+3");
    EXPECT_EQ(formatEngineering(999.49), "999e+0");
    EXPECT_EQ(formatEngineering(2.5), "3e+0");
    EXPECT_EQ(formatEngineering(1.0005e6), "1e+6");
    EXPECT_EQ(formatEngineering(0.0009995), "1e-3");
    EXPECT_EQ(formatEngineering(999499), "999e+3");
    // The 15-digit form of this double is 1000.00000000000: its exponent is 3, not 2.
    EXPECT_EQ(formatEngineering(999.9999999999999), "1e+3");
}

TEST(FormatEngineering, SignsAndWideExponents) {
    EXPECT_EQ(formatEngineering(-1234.5), "-1e+3");
    EXPECT_EQ(formatEngineering(-0.99059), "-991e-3");
    EXPECT_EQ(formatEngineering(-0.0), "0e+0");
    EXPECT_EQ(formatEngineering(1e300), "1e+300");
    EXPECT_EQ(formatEngineering(2.5e-300), "3e-300");
    EXPECT_EQ(formatEngineering(std::numeric_limits<double>::denorm_min()), "5e-324");
    EXPECT_EQ(formatEngineering(1.7976931348623157e308), "180e+306");
}

TEST(NumberFormats, NonFiniteFiguresReplaceTheWholeText) {
    EXPECT_EQ(formatFixed(inf), "Infinity");
    EXPECT_EQ(formatFixed(-inf), "-Infinity");
    EXPECT_EQ(formatFixed(nan), "NaN");
    EXPECT_EQ(formatFixed(-nan), "NaN");
    EXPECT_EQ(formatPercent(nan), "NaN");
    EXPECT_EQ(formatPercent(inf), "Infinity");
    EXPECT_EQ(formatPercent(-inf), "-Infinity");
    EXPECT_EQ(formatMilliseconds(inf), "Infinity");
    EXPECT_EQ(formatEngineering(1 / 0.0), "Infinity");
    EXPECT_EQ(formatEngineering(-inf), "-Infinity");
    EXPECT_EQ(formatEngineering(nan), "NaN");
    EXPECT_EQ(formatGeneral(inf), "Infinity");
    EXPECT_EQ(formatGeneral(nan), "NaN");
    EXPECT_EQ(formatSingle(std::numeric_limits<float>::infinity()), "Infinity");
    EXPECT_EQ(formatSingle(-std::numeric_limits<float>::infinity()), "-Infinity");
    EXPECT_EQ(formatSingle(std::numeric_limits<float>::quiet_NaN()), "NaN");
}

TEST(FormatGeneral, IntegralValuesArePlainDigits) {
    EXPECT_EQ(formatGeneral(25000), "25000");
    EXPECT_EQ(formatGeneral(1073676289), "1073676289");
    EXPECT_EQ(formatGeneral(1000000), "1000000");
    EXPECT_EQ(formatGeneral(100), "100");
    EXPECT_EQ(formatGeneral(1), "1");
    EXPECT_EQ(formatGeneral(0), "0");
    EXPECT_EQ(formatGeneral(-0.0), "0");
    EXPECT_EQ(formatGeneral(-25000), "-25000");
    EXPECT_EQ(formatGeneral(123456789012345), "123456789012345");
}

TEST(FormatGeneral, FractionsAndScientificRange) {
    EXPECT_EQ(formatGeneral(2.5), "2.5");
    EXPECT_EQ(formatGeneral(-2.5), "-2.5");
    EXPECT_EQ(formatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatGeneral(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(formatGeneral(0.0001), "0.0001");
    EXPECT_EQ(formatGeneral(0.00001), "1E-05");
    EXPECT_EQ(formatGeneral(1.5e-10), "1.5E-10");
    EXPECT_EQ(formatGeneral(1e15), "1E+15");
    EXPECT_EQ(formatGeneral(1.25e300), "1.25E+300");
}

TEST(FormatSingle, ProgressBarValues) {
    EXPECT_EQ(formatSingle(25.0f), "25");
    EXPECT_EQ(formatSingle(0.0f), "0");
    EXPECT_EQ(formatSingle(-0.0f), "0");
    EXPECT_EQ(formatSingle(32767.0f), "32767");
    EXPECT_EQ(formatSingle(1.0f), "1");
    EXPECT_EQ(formatSingle(3.5f), "3.5");
    // Seven significant digits, not the nine a float needs to round-trip.
    EXPECT_EQ(formatSingle(0.1f), "0.1");
    EXPECT_EQ(formatSingle(16777216.0f), "1.677722E+07");
    EXPECT_EQ(formatSingle(1234567.0f), "1234567");
}

}  // namespace
}  // namespace ferrolith
