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

TEST(CommandLine, HelpDocumentsEveryOption) {
    std::ostringstream out;
    EXPECT_TRUE(parseCommandLine({"--help"}, out).helpShown);
    for (const char* option : {"--repetitions", "--samples", "--param", "--dist", "--seed",
                               "--output", "--engine", "--threads"})
        EXPECT_NE(out.str().find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace ferrolith
