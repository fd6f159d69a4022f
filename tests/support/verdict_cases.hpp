#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/study.hpp"
#include "reliability/method_result.hpp"

// One study for each verdict, as every view must word it: the driver's text, the results file,
// the record and the Methods tab.
namespace ferrolith::test {

struct VerdictCase {
    const char* name;
    reliability::Method method;
    std::vector<std::pair<InputVariable, std::string>> parameters;  // over the window's defaults
    double target;
    const char* words;
};

// Every standard deviation 0: the limit state is flat and FORM finds no design point.
inline std::vector<std::pair<InputVariable, std::string>> withoutSpread() {
    const char* means[] = {"4,0", "75,0", "225,0", "20,0", "2,0", "10,0", "4,0"};
    std::vector<std::pair<InputVariable, std::string>> list;
    for (int v = 0; v < inputVariableCount; ++v)
        list.emplace_back(static_cast<InputVariable>(v), means[v]);
    return list;
}

// FORM's beta on the default study is 0.1475; independent Monte Carlo's 2 x 100 samples see no
// failure at AllowableStress 60,3.
inline const std::vector<VerdictCase> verdictCases = {
    {"meets", reliability::Method::Form, {}, 0.1, "meets 50-year loads: beta 0.10 (command line)"},
    {"falls short",
     reliability::Method::Form,
     {},
     3.8,
     "falls short of 50-year loads: beta 3.80 (command line)"},
    {"not shown to meet",
     reliability::Method::IndependentMonteCarlo,
     {{InputVariable::AllowableStress, "60,3"}},
     3.8,
     "not shown to meet 50-year loads: beta 3.80 (command line)"},
    {"no answer", reliability::Method::Form, withoutSpread(), 3.8,
     "no answer to check against 50-year loads: beta 3.80 (command line)"},
};

// The case's study: 2 repetitions of 100 samples, seed 1, its target typed as --target-index
// types it.
inline Study verdictStudy(const VerdictCase& c) {
    Study study;
    study.repetitions = "2";
    study.samples = "100";
    study.seed = 1;
    study.target.typed = TypedTarget{c.target, "command line"};
    for (const auto& [variable, text] : c.parameters)
        study.parameters[static_cast<std::size_t>(variable)] = text;
    return study;
}

// The same study as the driver's options.
inline std::string verdictArgs(const VerdictCase& c) {
    std::string args = "--method " + std::string(reliability::methodName(c.method)) +
                       " --repetitions 2 --samples 100 --seed 1 --target-index " +
                       std::to_string(c.target);
    for (const auto& [variable, text] : c.parameters)
        args += " --param " + std::to_string(static_cast<int>(variable)) + "=" + text;
    return args;
}

}  // namespace ferrolith::test
