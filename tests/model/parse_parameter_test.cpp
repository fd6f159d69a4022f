#include "model/parse_parameter.hpp"

#include <gtest/gtest.h>

#include "support/report_helpers.hpp"

namespace ferrolith {
namespace {

TEST(ConvertNumber, EnglishConventions) {
    EXPECT_EQ(convertNumber("4"), 4.0);
    EXPECT_EQ(convertNumber("4,"), 4.0);
    EXPECT_EQ(convertNumber("4 ,"), 4.0);
    EXPECT_EQ(convertNumber(" 0.05"), 0.05);
    EXPECT_EQ(convertNumber("0.05  "), 0.05);
    EXPECT_EQ(convertNumber("-5,"), -5.0);
    EXPECT_EQ(convertNumber("+2.5"), 2.5);
    EXPECT_EQ(convertNumber("1E3"), 1000.0);
    EXPECT_EQ(convertNumber("2.5e-1"), 0.25);
    EXPECT_EQ(convertNumber("1,000"), 1000.0);
    EXPECT_EQ(convertNumber(".5"), 0.5);
    EXPECT_EQ(convertNumber("5."), 5.0);
}

TEST(ConvertNumber, RejectsWhatIsNotANumber) {
    for (const char* text : {"", " ", ",", "abc", "4x", "4 5", "1e", "1e+", "--1", "-", ".", ",5",
                             "0,05.5.5", "1e999", "4;"}) {
        EXPECT_FALSE(convertNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(ParseParameter, SplitsAtTheFirstComma) {
    EXPECT_EQ(parseParameter(1, "4,0.05"), 4.0);
    EXPECT_EQ(parseParameter(2, "4,0.05"), 0.05);
    EXPECT_EQ(parseParameter(1, "4, 0.05"), 4.0);
    EXPECT_EQ(parseParameter(2, "4, 0.05"), 0.05);
    EXPECT_EQ(parseParameter(1, "4 , 0.05"), 4.0);
    EXPECT_EQ(parseParameter(2, "4 , 0.05"), 0.05);
    EXPECT_EQ(parseParameter(1, "-5,2"), -5.0);
    EXPECT_EQ(parseParameter(2, "-5,2"), 2.0);
    EXPECT_EQ(parseParameter(1, "1,000"), 1.0);
    EXPECT_EQ(parseParameter(2, "1,000"), 0.0);
    // A third number joins the second one's text, and its comma is a group separator there.
    EXPECT_EQ(parseParameter(2, "1,2,500"), 2500.0);
    // Any which other than 1 selects the second number.
    EXPECT_EQ(parseParameter(7, "3,8"), 8.0);
}

TEST(ParseParameter, TextWithoutACommaHasNoFirstNumber) {
    EXPECT_THROW(parseParameter(1, "4"), ConversionError);
    EXPECT_EQ(parseParameter(2, "4"), 4.0);
    try {
        parseParameter(2, "4,abc");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.text(), "abc");
    }
}

TEST(ReadInputs, FillsTheArraysAndReadsAnEmptyChoiceAsNormal) {
    std::array<std::string, 7> choices{"",        "Gamma", "Others to follow", "normal", "",
                                       "Poisson", ""};
    ParameterArray a{}, b{};
    NameArray names;
    readInputs(testing::defaultParamTexts(), choices, a, b, names);
    EXPECT_EQ(a, (ParameterArray{4, 75, 225, 20, 2, 10, 4}));
    EXPECT_EQ(b, (ParameterArray{0.05, 10, 10, 3, 0.25, 1.5, 2.5}));
    EXPECT_EQ(names, (NameArray{"Normal", "Gamma", "Others to follow", "normal", "Normal",
                                "Poisson", "Normal"}));
}

TEST(ReadInputs, StopsAtTheFirstTextThatDoesNotConvert) {
    auto texts = testing::defaultParamTexts();
    texts[3] = "20;3";
    ParameterArray a{}, b{};
    NameArray names;
    try {
        readInputs(texts, {}, a, b, names);
        FAIL();
    } catch (const ParameterError& e) {
        EXPECT_EQ(e.variable(), InputVariable::AllowableStress);
        EXPECT_EQ(e.text(), "20;3");
    }
    EXPECT_EQ(a, (ParameterArray{4, 75, 225, 0, 0, 0, 0}));
    EXPECT_EQ(b[2], 10.0);
    EXPECT_EQ(names[2], "Normal");
    EXPECT_EQ(names[3], "");
}

TEST(InputVariables, TableOrderAndTexts) {
    ASSERT_EQ(inputVariables.size(), 7u);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(static_cast<int>(inputVariables[i].variable), i);
    EXPECT_EQ(info(InputVariable::AllowableStress).caption, "Beam Allowable Stress (N/mm2)");
    EXPECT_EQ(info(InputVariable::UdlValue).reportLabel, "UDL Value: (");
    EXPECT_EQ(distributionNames.back(), "Others to follow");
}

}  // namespace
}  // namespace ferrolith
