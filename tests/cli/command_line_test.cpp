#include "cli/command_line.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace ferrolith {
namespace {

CommandLine parse(std::vector<std::string> args) {
    std::ostringstream out;
    return parseCommandLine(args, out);
}

TEST(CommandLine, DefaultsAreTheWindowsDefaults) {
    const CommandLine c = parse({});
    EXPECT_EQ(c.request.study.repetitions, "25");
    EXPECT_EQ(c.request.study.samples, "1000");
    EXPECT_EQ(c.request.study.parameters[0], "4,0.05");
    EXPECT_EQ(c.request.study.parameters[6], "4,2.5");
    EXPECT_EQ(c.request.study.distributions[3], "");
    EXPECT_FALSE(c.request.study.seed.has_value());
    EXPECT_FALSE(c.outputFile.has_value());
}

TEST(CommandLine, VariablesByNameOrIndexAndTextsAsTyped) {
    const CommandLine c =
        parse({"--param", "BeamLength=4, 0.05", "--param", "6=3,1=2", "--dist",
               "UdlValue=Others to follow", "--dist", "2=Gamma", "--repetitions", " 2.5",
               "--samples", "abc", "--seed", "42", "--output", "out.txt"});
    EXPECT_EQ(c.request.study.parameters[0], "4, 0.05");
    EXPECT_EQ(c.request.study.parameters[6], "3,1=2");
    EXPECT_EQ(c.request.study.distributions[6], "Others to follow");
    EXPECT_EQ(c.request.study.distributions[2], "Gamma");
    EXPECT_EQ(c.request.study.repetitions, " 2.5");  // converted later by the run, as the window's
    EXPECT_EQ(c.request.study.samples, "abc");
    EXPECT_EQ(c.request.study.seed, 42u);
    EXPECT_EQ(c.outputFile, "out.txt");
    EXPECT_EQ(c.request.options.engine, Engine::Fast);
    EXPECT_EQ(c.request.options.threads, 0);
    EXPECT_EQ(parse({"--seed", "18446744073709551615"}).request.study.seed, 18446744073709551615u);
    EXPECT_EQ(parse({"--seed", "0"}).request.study.seed, 0u);
    const CommandLine r = parse({"--engine", "reference", "--threads", "8"});
    EXPECT_EQ(r.request.options.engine, Engine::Reference);
    EXPECT_EQ(r.request.options.threads, 8);
}

TEST(CommandLine, RefusesWhatTheWindowWouldNotOffer) {
    for (std::vector<std::string> bad : {
             std::vector<std::string>{"--dist", "BeamLength=normal"},
             {"--dist", "BeamLength=Weibull"},
             {"--param", "Length=4,0.05"},
             {"--param", "7=4,0.05"},
             {"--param", "4,0.05"},
             {"--seed", "-1"},
             {"--seed", "x"},
             {"--seed", "18446744073709551616"},
             {"--seed", "1.5"},
             {"--output", ""},
             {"--unknown"},
             {"--engine", "turbo"},
             {"--threads", "0"},
         }) {
        EXPECT_THROW(parse(bad), CommandLineError) << bad[0] << ' ' << bad.back();
    }
}

TEST(CommandLine, ATargetCovIsANumberAbove0AndBelow1) {
    EXPECT_FALSE(parse({}).method.targetCov);
    for (const auto& [typed, target] :
         {std::pair{"0.05", 0.05}, {"5e-2", 0.05}, {".5", 0.5}, {"0.999", 0.999}, {"1e-9", 1e-9}})
        EXPECT_EQ(parse({"--target-cov", typed}).method.targetCov, target) << typed;
}

TEST(CommandLine, ThreadsAreAWholeNumberFrom1To256) {
    EXPECT_EQ(parse({"--threads", "1"}).request.options.threads, 1);
    EXPECT_EQ(parse({"--threads", "256"}).request.options.threads, 256);
}

std::string refusal(const std::vector<std::string>& args) {
    try {
        parse(args);
    } catch (const CommandLineError& e) {
        return e.what();
    }
    return "accepted";
}

struct Refusal {
    std::vector<std::string> args;
    std::string message;
};

TEST(CommandLine, ThreadsThatAreNotAWholeNumberInRangeAreSaidToBeSo) {
    const std::string range = " is not a whole number from 1 to 256";
    const Refusal cases[] = {
        {{"--threads", "1.5"}, "--threads: \"1.5\"" + range},
        {{"--threads", "abc"}, "--threads: \"abc\"" + range},
        {{"--threads", "0"}, "--threads: \"0\"" + range},
        {{"--threads", "257"}, "--threads: \"257\"" + range},
        {{"--threads", "-1"}, "--threads: \"-1\"" + range},
        {{"--threads", " 4"}, "--threads: \" 4\"" + range},
        {{"--threads", "4x"}, "--threads: \"4x\"" + range},
        {{"--threads", "99999999999999999999"}, "--threads: \"99999999999999999999\"" + range},
    };
    for (const Refusal& c : cases) EXPECT_EQ(refusal(c.args), c.message) << c.args.back();
}

TEST(CommandLine, DesignForTakesAnInputWhatToKeepAndARange) {
    const CommandLine depth = parse({"--design-for", "BeamDepth"});
    ASSERT_TRUE(depth.design);
    EXPECT_EQ(depth.design->input, InputVariable::BeamDepth);
    EXPECT_EQ(depth.design->keep, KeptSpread::SecondNumber);
    EXPECT_FALSE(depth.design->range);
    EXPECT_EQ(depth.method.method, reliability::Method::Form);
    const CommandLine width =
        parse({"--design-for", "1", "--keep", "cov", "--range", "-5e1:1.2e2", "--is-samples", "9"});
    EXPECT_EQ(width.design->input, InputVariable::BeamWidth);
    EXPECT_EQ(width.design->keep, KeptSpread::Variation);
    EXPECT_EQ(width.design->range->lower, -50.0);
    EXPECT_EQ(width.design->range->upper, 120.0);
    EXPECT_EQ(width.design->samples, 9);
    EXPECT_FALSE(width.design->targetCov);
    EXPECT_EQ(parse({"--design-for", "2", "--target-cov", "0.05"}).design->targetCov, 0.05);
    EXPECT_FALSE(parse({}).design);
}

TEST(CommandLine, DesignOptionsThatCannotBeSearchedAreSaidToBeSo) {
    const std::string inputs =
        " is not one of BeamLength, BeamWidth, BeamDepth, AllowableStress, PointLoadLocation, "
        "PointLoadValue, UdlValue or 0 to 6";
    const std::string keep =
        " is not second (the second number as typed) or cov (the coefficient of variation)";
    const std::string range = " is not A:B with numbers A below B";
    const Refusal cases[] = {
        {{"--design-for", "Depth"}, "--design-for: \"Depth\"" + inputs},
        {{"--design-for", "7"}, "--design-for: \"7\"" + inputs},
        {{"--design-for", ""}, "--design-for: \"\"" + inputs},
        {{"--design-for", "2", "--keep", "sd"}, "--keep: \"sd\"" + keep},
        {{"--design-for", "2", "--keep", "COV"}, "--keep: \"COV\"" + keep},
        {{"--design-for", "2", "--range", "100"}, "--range: \"100\"" + range},
        {{"--design-for", "2", "--range", "300:100"}, "--range: \"300:100\"" + range},
        {{"--design-for", "2", "--range", "100:100"}, "--range: \"100:100\"" + range},
        {{"--design-for", "2", "--range", "a:b"}, "--range: \"a:b\"" + range},
        {{"--design-for", "2", "--range", "1:2:3"}, "--range: \"1:2:3\"" + range},
        {{"--design-for", "2", "--range", "1:inf"}, "--range: \"1:inf\"" + range},
        {{"--design-for", "2", "--range", " 1:2"}, "--range: \" 1:2\"" + range},
        {{"--keep", "cov"}, "--keep goes with --design-for"},
        {{"--range", "1:2"}, "--range goes with --design-for"},
        {{"--design-for", "2", "--method", "form"},
         "--design-for runs FORM of the study itself: leave out --method"},
    };
    for (const Refusal& c : cases) EXPECT_EQ(refusal(c.args), c.message) << c.args.back();
}

TEST(CommandLine, RefusalsQuoteAtMost60CharactersOfTheTextEscaped) {
    const std::string x70(70, 'x'), x60(60, 'x'), ellipsis = "\u2026";
    const Refusal cases[] = {
        {{"--param", "Length=" + x70},
         "--param takes VAR=VALUE with VAR one of BeamLength, BeamWidth, BeamDepth, "
         "AllowableStress, PointLoadLocation, PointLoadValue, UdlValue or 0 to 6: \"Length=" +
             std::string(53, 'x') + ellipsis + "\""},
        {{"--dist", "0=" + x70}, "--dist: \"" + x60 + ellipsis + "\" is not an item of the list"},
        {{"--dist", "0=\xff\x1b"}, "--dist: \"\\xff\\x1b\" is not an item of the list"},
        {{"--seed", std::string(70, '9')},
         "--seed: \"" + std::string(60, '9') + ellipsis +
             "\" is not a whole number from 0 to 18446744073709551615"},
        {{"--threads", x70},
         "--threads: \"" + x60 + ellipsis + "\" is not a whole number from 1 to 256"},
        {{"--engine", x70}, "--engine: \"" + x60 + ellipsis + "\" is not fast or reference"},
        {{x70, "--samples", "3", "extra\xff"},
         "The following arguments were not expected: " + x60 + ellipsis + " extra\\xff"},
        {{"--bogus"}, "The following argument was not expected: --bogus"},
    };
    for (const Refusal& c : cases) EXPECT_EQ(refusal(c.args), c.message) << c.args.front();
}

TEST(CommandLine, HelpDocumentsEveryOption) {
    std::ostringstream out;
    EXPECT_TRUE(parseCommandLine({"--help"}, out).helpShown);
    for (const char* option :
         {"--repetitions", "--samples", "--param", "--dist", "--seed", "--output", "--engine",
          "--threads", "--is-samples", "--target-cov", "--design-for", "--keep", "--range"})
        EXPECT_NE(out.str().find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace ferrolith
