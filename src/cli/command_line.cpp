#include "cli/command_line.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <ostream>

#include "program_version.hpp"
#include "study/study.hpp"

namespace ferrolith {

std::optional<InputVariable> variableNamed(std::string_view text) {
    for (const InputVariableInfo& v : inputVariables) {
        if (text == v.name) return v.variable;
    }
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '6')
        return static_cast<InputVariable>(text[0] - '0');
    return std::nullopt;
}

namespace {

// Splits VAR=VALUE at the first "=" (the value may hold more of them).
std::pair<InputVariable, std::string> assignment(const std::string& text, const char* option) {
    const std::size_t eq = text.find('=');
    const auto variable =
        eq == std::string::npos ? std::nullopt : variableNamed(text.substr(0, eq));
    if (!variable)
        throw CommandLineError(std::string(option) + " takes VAR=VALUE with VAR one of " +
                               variableNameList() + " or 0 to 6: \"" + text + "\"");
    return {*variable, text.substr(eq + 1)};
}

// Digits only, no sign or blanks, within 64 bits; CLI11's own numbers would clamp or go through a
// double.
std::uint64_t seedNamed(const std::string& text) {
    std::uint64_t seed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw CommandLineError("--seed: \"" + text + "\" is not " + seedRangeText);
    return seed;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args, std::ostream& out) {
    CommandLine result;
    std::vector<std::string> params, dists;
    std::string output;
    std::string seedText;

    CLI::App app{
        "Ferrolith headless driver: runs the Monte Carlo check of the beam exactly as the "
        "window's Calculate does, and prints the report (CR LF line ends) to standard output.\n"
        "Exit status: 0 completed, 2 bad arguments or a count or parameter text that does not "
        "convert, 3 aborted by faulty data, 4 a file (report, study or results) could not be "
        "written, 5 the report (or this help) could not be written to standard output (this one "
        "whatever the run's outcome).",
        "ferrolith-cli"};
    app.add_option("--repetitions", result.request.study.repetitions,
                   "No. Repititions as typed in the window")
        ->capture_default_str();
    app.add_option("--samples", result.request.study.samples, "Sample Size as typed in the window")
        ->capture_default_str();
    app.add_option("--param", params,
                   "VAR=TEXT: the parameter text of a variable as typed (VAR is " +
                       variableNameList() +
                       " or its index 0 to 6); repeatable. Default: the window's text")
        ->take_all();
    app.add_option("--dist", dists,
                   "VAR=NAME: the distribution chosen for a variable, one of " +
                       distributionNameList() +
                       "; repeatable. Default: no choice, which reads as Normal")
        ->take_all();
    app.add_option("--seed", seedText,
                   std::string("Seed the uniform source explicitly, ") + seedRangeText +
                       " (default: the clock)");
    app.add_option("--output", output,
                   "Answer the save question with Yes and save the report to FILE");

    std::string engine = "fast";
    app.add_option("--engine", engine,
                   "fast: vector kernels on worker threads; reference: one sample at a time on "
                   "one thread. Both print the same report")
        ->check(CLI::IsMember({"fast", "reference"}))
        ->default_str("fast");
    app.add_option("--threads", result.request.options.threads,
                   "Worker threads of the fast engine (default: all cores)")
        ->check(CLI::Range(1, 256));

    addFileOptions(app, result.files);
    app.set_version_flag("--version", "ferrolith-cli " + std::string(programVersion));

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        result.helpShown = true;
        return result;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << '\n';
        result.helpShown = true;
        return result;
    } catch (const CLI::ParseError& e) {
        throw CommandLineError(e.what());
    }

    applyStudyOption(app, result.files, result.request.study);
    for (const std::string& p : params) {
        const auto [variable, text] = assignment(p, "--param");
        result.request.study.parameters[static_cast<std::size_t>(variable)] = text;
    }
    for (const std::string& d : dists) {
        const auto [variable, name] = assignment(d, "--dist");
        // The window's list offers only its items.
        if (std::find(distributionNames.begin(), distributionNames.end(), name) ==
            distributionNames.end())
            throw CommandLineError("--dist: \"" + name + "\" is not an item of the list");
        result.request.study.distributions[static_cast<std::size_t>(variable)] = name;
    }
    if (app.count("--seed")) result.request.study.seed = seedNamed(seedText);
    if (engine == "reference") result.request.options.engine = Engine::Reference;
    requireFileName(app, "--output", output);
    if (app.count("--output")) result.outputFile = output;
    return result;
}

}  // namespace ferrolith
