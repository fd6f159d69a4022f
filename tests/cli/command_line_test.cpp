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
    EXPECT_EQ(c.inputs.repetitions, "25");
    EXPECT_EQ(c.inputs.sampleSize, "1000");
    EXPECT_EQ(c.inputs.paramTexts[0], "4,0.05");
    EXPECT_EQ(c.inputs.paramTexts[6], "4,2.5");
    EXPECT_EQ(c.inputs.distChoices[3], "");
    EXPECT_FALSE(c.seed.has_value());
    EXPECT_FALSE(c.inputs.outputFile.has_value());
}

TEST(CommandLine, VariablesByNameOrIndexAndTextsAsTyped) {
    const CommandLine c =
        parse({"--param", "BeamLength=4, 0.05", "--param", "6=3,1=2", "--dist",
               "UdlValue=Others to follow", "--dist", "2=Gamma", "--repetitions", " 2.5",
               "--samples", "abc", "--seed", "42", "--output", "out.txt"});
    EXPECT_EQ(c.inputs.paramTexts[0], "4, 0.05");
    EXPECT_EQ(c.inputs.paramTexts[6], "3,1=2");
    EXPECT_EQ(c.inputs.distChoices[6], "Others to follow");
    EXPECT_EQ(c.inputs.distChoices[2], "Gamma");
    EXPECT_EQ(c.inputs.repetitions, " 2.5");  // converted later by the run, as the window's
    EXPECT_EQ(c.inputs.sampleSize, "abc");
    EXPECT_EQ(c.seed, 42u);
    EXPECT_EQ(c.inputs.outputFile, "out.txt");
    EXPECT_FALSE(c.reference);
    EXPECT_EQ(c.threads, 0);
    EXPECT_EQ(parse({"--seed", "18446744073709551615"}).seed, 18446744073709551615u);
    EXPECT_EQ(parse({"--seed", "0"}).seed, 0u);
    const CommandLine r = parse({"--engine", "reference", "--threads", "8"});
    EXPECT_TRUE(r.reference);
    EXPECT_EQ(r.threads, 8);
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

TEST(CommandLine, HelpDocumentsEveryOption) {
    std::ostringstream out;
    EXPECT_TRUE(parseCommandLine({"--help"}, out).helpShown);
    for (const char* option : {"--repetitions", "--samples", "--param", "--dist", "--seed",
                               "--output", "--engine", "--threads"})
        EXPECT_NE(out.str().find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace ferrolith
