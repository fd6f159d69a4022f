#include "cli/command_line.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <ostream>

#include "cli/output_paths.hpp"
#include "model/study.hpp"
#include "program_version.hpp"
#include "report/message_text.hpp"

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

constexpr int largestThreads = 256;
constexpr const char* threadsRangeText = "a whole number from 1 to 256";
// The source of a target typed with --target-index.
constexpr const char* commandLineSource = "command line";

// Splits VAR=VALUE at the first "=" (the value may hold more of them).
std::pair<InputVariable, std::string> assignment(const std::string& text, const char* option) {
    const std::size_t eq = text.find('=');
    const auto variable =
        eq == std::string::npos ? std::nullopt : variableNamed(text.substr(0, eq));
    if (!variable)
        throw CommandLineError(std::string(option) + " takes VAR=VALUE with VAR one of " +
                               variableNameList() + " or 0 to 6: " + quotedText(text));
    return {*variable, text.substr(eq + 1)};
}

// Digits only, no sign or blanks, from smallest to largest; CLI11's own numbers would clamp, go
// through a double, or call a fraction out of range.
template <typename Number>
std::optional<Number> wholeNumber(const std::string& text, Number smallest, Number largest) {
    Number value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < smallest ||
        value > largest)
        return std::nullopt;
    return value;
}

std::uint64_t seedNamed(const std::string& text) {
    const auto seed =
        wholeNumber<std::uint64_t>(text, 0, std::numeric_limits<std::uint64_t>::max());
    if (!seed) throw CommandLineError("--seed: " + quotedText(text) + " is not " + seedRangeText);
    return *seed;
}

reliability::Method methodNamed(const std::string& text) {
    for (std::size_t i = 0; i < reliability::methodNames.size(); ++i)
        if (text == reliability::methodNames[i]) return static_cast<reliability::Method>(i);
    throw CommandLineError("--method: " + quotedText(text) +
                           " is not monte-carlo, form, sorm, importance-sampling, "
                           "independent-monte-carlo or subset-simulation");
}

// Importance sampling's count: up to a billion samples, about a minute.
std::int64_t importanceSamplesNamed(const std::string& text) {
    const auto samples = wholeNumber<std::int64_t>(text, 1, reliability::largestImportanceSamples);
    if (!samples)
        throw CommandLineError("--is-samples: " + quotedText(text) +
                               " is not a whole number from 1 to 1000000000");
    return *samples;
}

// Subset simulation's samples a level, and its runs: whole numbers in range. Whether the samples
// split into chains is the method's own check.
std::int64_t subsetSamplesNamed(const std::string& text) {
    const auto samples = wholeNumber<std::int64_t>(text, 2, reliability::largestSubsetSamples);
    if (!samples)
        throw CommandLineError("--subset-samples: " + quotedText(text) +
                               " is not a whole number from 2 to " +
                               std::to_string(reliability::largestSubsetSamples));
    return *samples;
}

int subsetRunsNamed(const std::string& text) {
    const auto runs = wholeNumber<int>(text, 1, reliability::largestSubsetRuns);
    if (!runs)
        throw CommandLineError("--subset-runs: " + quotedText(text) +
                               " is not a whole number from 1 to " +
                               std::to_string(reliability::largestSubsetRuns));
    return *runs;
}

// A plain decimal number, with an exponent or without; none for any other text.
std::optional<double> plainNumber(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The target reliability index: a plain decimal number, with an exponent or without as a study
// file may hold it, from 0 to largestTargetIndex.
double targetIndexNamed(const std::string& text) {
    const auto value = plainNumber(text);
    if (!value || !isTargetIndex(*value))
        throw CommandLineError("--target-index: " + quotedText(text) +
                               " is not a number from 0 to 8");
    return *value;
}

ReliabilityClass reliabilityClassNamed(const std::string& text) {
    for (std::size_t i = 0; i < reliabilityClassNames.size(); ++i)
        if (text == reliabilityClassNames[i]) return static_cast<ReliabilityClass>(i);
    throw CommandLineError("--reliability-class: " + quotedText(text) + " is not RC1, RC2 or RC3");
}

ReferencePeriod referencePeriodNamed(const std::string& text) {
    for (std::size_t i = 0; i < referencePeriodYears.size(); ++i)
        if (text == std::to_string(referencePeriodYears[i])) return static_cast<ReferencePeriod>(i);
    throw CommandLineError("--reference-period: " + quotedText(text) + " is not 1 or 50 (years)");
}

// LOAD=ROLE: PointLoadValue or UdlValue (or 5, 6), variable or permanent.
void applyLoadRole(const std::string& text, Study& study) {
    const std::size_t eq = text.find('=');
    const auto load = eq == std::string::npos ? std::nullopt : variableNamed(text.substr(0, eq));
    const std::string role = eq == std::string::npos ? "" : text.substr(eq + 1);
    const auto found = std::find(loadRoleNames.begin(), loadRoleNames.end(), role);
    if (!load || !isLoad(*load) || found == loadRoleNames.end())
        throw CommandLineError(
            "--load-role takes LOAD=ROLE with LOAD PointLoadValue or UdlValue (or 5, 6) and ROLE "
            "variable or permanent: " +
            quotedText(text));
    setRole(study, *load, static_cast<LoadRole>(found - loadRoleNames.begin()));
}

// The sampling methods' target coefficient of variation.
double targetCovNamed(const std::string& text) {
    const auto target = reliability::targetCovFrom(text);
    if (!target)
        throw CommandLineError("--target-cov: " + quotedText(text) +
                               " is not a number above 0 and below 1");
    return *target;
}

int threadsNamed(const std::string& text) {
    const auto threads = wholeNumber(text, 1, largestThreads);
    if (!threads)
        throw CommandLineError("--threads: " + quotedText(text) + " is not " + threadsRangeText);
    return *threads;
}

InputVariable designInputNamed(const std::string& text) {
    const auto variable = variableNamed(text);
    if (!variable)
        throw CommandLineError("--design-for: " + quotedText(text) + " is not one of " +
                               variableNameList() + " or 0 to 6");
    return *variable;
}

KeptSpread keptSpreadNamed(const std::string& text) {
    for (std::size_t i = 0; i < keptSpreadNames.size(); ++i)
        if (text == keptSpreadNames[i]) return static_cast<KeptSpread>(i);
    throw CommandLineError("--keep: " + quotedText(text) +
                           " is not second (the second number as typed) or cov (the coefficient "
                           "of variation)");
}

// A:B, two numbers with A below B.
DesignRange designRangeNamed(const std::string& text) {
    const std::size_t colon = text.find(':');
    const auto lower = colon == std::string::npos
                           ? std::nullopt
                           : plainNumber(std::string_view(text).substr(0, colon));
    const auto upper = colon == std::string::npos
                           ? std::nullopt
                           : plainNumber(std::string_view(text).substr(colon + 1));
    if (!lower || !upper || !(*lower < *upper))
        throw CommandLineError("--range: " + quotedText(text) +
                               " is not A:B with numbers A below B");
    return {*lower, *upper};
}

// The options' values as given, read after the parse.
struct OptionTexts {
    std::vector<std::string> params, dists, loadRoles;
    std::string output, seed, threads, isSamples, subsetSamples, subsetRuns, targetCov, targetIndex,
        reliabilityClass, referencePeriod, designFor, keep, range;
    std::string engine = "fast";
    std::string method = "monte-carlo";
    std::array<std::string, projectFieldNames.size()> project;
};

// "--project", "--engineer", "--checker".
std::string projectOption(std::size_t field) {
    return "--" + std::string(projectFieldNames[field]);
}

// Who the record is for and who signs it.
void addProjectOptions(CLI::App& app, OptionTexts& texts) {
    const std::array<const char*, projectFieldNames.size()> what{
        "The project", "The engineer who signs", "The checker who signs"};
    for (std::size_t i = 0; i < projectFieldNames.size(); ++i)
        app.add_option(projectOption(i), texts.project[i],
                       std::string(what[i]) +
                           " the calculation, printed on the record's first page and kept in "
                           "the study: one line of at most " +
                           std::to_string(longestProjectText) +
                           " characters (default: the study's, else none)")
            ->type_name("TEXT");
}

void readProjectOptions(const CLI::App& app, const OptionTexts& texts, Study& study) {
    for (std::size_t i = 0; i < projectFieldNames.size(); ++i) {
        if (!app.count(projectOption(i))) continue;
        if (const auto fault = projectTextFault(texts.project[i]))
            throw CommandLineError(projectOption(i) + ": " + quotedText(texts.project[i]) + " " +
                                   *fault);
        fieldOf(study.project, static_cast<ProjectField>(i)) = texts.project[i];
    }
}

// The target with its basis and the loads' roles.
void addTargetOptions(CLI::App& app, OptionTexts& texts) {
    app.add_option("--reliability-class", texts.reliabilityClass,
                   "RC1, RC2 or RC3: with the reference period, chooses the target of EN 1990 "
                   "Annex B Table B2 (default: the study's, else RC2)")
        ->type_name("RC");
    app.add_option("--reference-period", texts.referencePeriod,
                   "1 or 50: the years the variable loads' laws are maxima over (default: the "
                   "study's, else 50)")
        ->type_name("YEARS");
    app.add_option("--target-index", texts.targetIndex,
                   "A target reliability index typed instead of the table's, a number from 0 to "
                   "8, its source \"command line\"; --save-study and --json write it")
        ->type_name("X");
    app.add_option("--load-role", texts.loadRoles,
                   "LOAD=ROLE: PointLoadValue or UdlValue (or 5, 6) as a variable or a permanent "
                   "load; repeatable (default: the study's, else both variable)")
        ->take_all();
}

// The search of an input for the target.
void addDesignOptions(CLI::App& app, OptionTexts& texts) {
    app.add_option("--design-for", texts.designFor,
                   "INPUT (" + variableNameList() +
                       " or 0 to 6): instead of a run, find the first number of the input at "
                       "which FORM's beta meets the target, check it there by SORM and importance "
                       "sampling (--is-samples, --seed) and print it after FORM's report; --csv "
                       "writes the beta curve over the range (value,beta)")
        ->type_name("INPUT");
    app.add_option("--keep", texts.keep,
                   "With --design-for: second (the second number stays as typed) or cov (the "
                   "second number scales with the first) (default: second)")
        ->type_name("second|cov");
    app.add_option("--range", texts.range,
                   "With --design-for: the first numbers to search, A:B with A below B "
                   "(default: half to twice the typed first number)")
        ->type_name("A:B");
}

// --method and the sampling methods' options.
void addMethodOptions(CLI::App& app, OptionTexts& texts) {
    app.add_option("--method", texts.method,
                   "monte-carlo: the design run and its report; form, sorm, importance-sampling, "
                   "independent-monte-carlo (the counts' repetitions, each from a 64-bit stream "
                   "of its own), subset-simulation (levels of Markov chains, no design point "
                   "needed): that method's plain-text report (inputs, figures, FORM's design "
                   "point)")
        ->type_name("NAME")
        ->default_str("monte-carlo");
    app.add_option(
           "--is-samples", texts.isSamples,
           "Samples of importance sampling, a whole number from 1 to 1000000000 (default: " +
               std::to_string(reliability::defaultImportanceSamples) +
               "); with --target-cov, the most it draws")
        ->type_name("N");
    app.add_option("--subset-samples", texts.subsetSamples,
                   "Samples a level of subset simulation, a multiple of 10 up to " +
                       std::to_string(reliability::largestSubsetSamples) +
                       ": a tenth of them start chains of 10 states (default: " +
                       std::to_string(reliability::defaultSubsetSamples) + ")")
        ->type_name("N");
    app.add_option("--subset-runs", texts.subsetRuns,
                   "Independent runs of subset simulation pooled, each from streams of its own, "
                   "a whole number from 1 to " +
                       std::to_string(reliability::largestSubsetRuns) +
                       "; with --target-cov, the most it pools (default: 1, with --target-cov " +
                       std::to_string(reliability::targetSubsetRuns) + ")")
        ->type_name("N");
    app.add_option("--target-cov", texts.targetCov,
                   "The sampling methods stop once Pf's coefficient of variation is at or below "
                   "X, a number above 0 and below 1: importance-sampling checks after each block "
                   "of " +
                       std::to_string(reliability::importanceBlockSamples) +
                       " samples from the second on, subset-simulation after each run it pools; "
                       "with --design-for, the check by importance sampling (default: none, every "
                       "sample and run is drawn)")
        ->type_name("X");
}

void addOptions(CLI::App& app, CommandLine& result, OptionTexts& texts) {
    app.add_option("--repetitions", result.request.study.repetitions,
                   "No. Repititions as typed in the window")
        ->capture_default_str();
    app.add_option("--samples", result.request.study.samples, "Sample Size as typed in the window")
        ->capture_default_str();
    app.add_option(
           "--param", texts.params,
           "VAR=TEXT: the parameter text of a variable as typed (VAR is " + variableNameList() +
               " or its index 0 to 6); repeatable. Default: the window's text. What the two "
               "numbers mean for each distribution: see the README's table of parameters")
        ->take_all();
    app.add_option("--dist", texts.dists,
                   "VAR=NAME: the distribution chosen for a variable, one of " +
                       distributionNameList() +
                       "; repeatable. Default: no choice, which reads as Normal")
        ->take_all();
    app.add_option("--seed", texts.seed,
                   std::string("Seed the uniform source explicitly, ") + seedRangeText +
                       " (default: the clock)");
    app.add_option("--output", texts.output,
                   "Answer the save question with Yes and save the report to FILE");
    app.add_option("--engine", texts.engine,
                   "fast: vector kernels on worker threads; reference: one sample at a time on "
                   "one thread. Both print the same report")
        ->type_name("TEXT:{fast,reference}")
        ->default_str("fast");
    app.add_option("--threads", texts.threads,
                   std::string("Worker threads of the fast engine, ") + threadsRangeText +
                       " (default: all cores)")
        ->type_name("INT");
    app.add_flag("--quiet", result.quiet,
                 "Draw no progress line; messages are still written. Without it the progress "
                 "(repetitions done, samples per second, time left) is shown on standard error "
                 "while the run goes, when standard error is a terminal, and erased at the end");
    addMethodOptions(app, texts);
    addTargetOptions(app, texts);
    addDesignOptions(app, texts);
    addProjectOptions(app, texts);
    addFileOptions(app, result.files);
    app.set_version_flag("--version", "ferrolith-cli " + std::string(programVersion));
    // Unexpected arguments are refused after the parse, each shortened in the message.
    app.allow_extras();
}

void refuseExtras(const std::vector<std::string>& extras) {
    if (extras.empty()) return;
    std::string list;
    for (const std::string& extra : extras) list += " " + shortenedText(extra);
    throw CommandLineError(extras.size() == 1
                               ? "The following argument was not expected:" + list
                               : "The following arguments were not expected:" + list);
}

void readTargetOptions(const CLI::App& app, const OptionTexts& texts, Study& study) {
    if (app.count("--reliability-class")) {
        study.target.reliabilityClass = reliabilityClassNamed(texts.reliabilityClass);
        study.target.typed.reset();
    }
    if (app.count("--reference-period"))
        study.target.period = referencePeriodNamed(texts.referencePeriod);
    if (app.count("--target-index"))
        study.target.typed = TypedTarget{targetIndexNamed(texts.targetIndex), commandLineSource};
    for (const std::string& role : texts.loadRoles) applyLoadRole(role, study);
}

// --design-for with its --keep and --range; FORM of the study is the method it runs.
void readDesignOptions(const CLI::App& app, const OptionTexts& texts, CommandLine& result) {
    if (!app.count("--design-for")) {
        for (const char* option : {"--keep", "--range"})
            if (app.count(option))
                throw CommandLineError(std::string(option) + " goes with --design-for");
        return;
    }
    if (app.count("--method"))
        throw CommandLineError("--design-for runs FORM of the study itself: leave out --method");
    DesignRequest design;
    design.input = designInputNamed(texts.designFor);
    if (app.count("--keep")) design.keep = keptSpreadNamed(texts.keep);
    if (app.count("--range")) design.range = designRangeNamed(texts.range);
    design.samples = result.method.importanceSamples;
    design.targetCov = result.method.targetCov;
    result.method.method = reliability::Method::Form;
    result.design = design;
}

void readOptionTexts(const CLI::App& app, const OptionTexts& texts, CommandLine& result) {
    if (texts.engine != "fast" && texts.engine != "reference")
        throw CommandLineError("--engine: " + quotedText(texts.engine) +
                               " is not fast or reference");
    if (texts.engine == "reference") result.request.options.engine = Engine::Reference;
    if (app.count("--threads")) result.request.options.threads = threadsNamed(texts.threads);
    result.method.method = methodNamed(texts.method);
    if (app.count("--is-samples"))
        result.method.importanceSamples = importanceSamplesNamed(texts.isSamples);
    if (app.count("--subset-samples"))
        result.method.subsetSamples = subsetSamplesNamed(texts.subsetSamples);
    if (app.count("--subset-runs")) result.method.subsetRuns = subsetRunsNamed(texts.subsetRuns);
    if (app.count("--target-cov")) result.method.targetCov = targetCovNamed(texts.targetCov);
    const auto seed = app.count("--seed") ? std::optional(seedNamed(texts.seed)) : std::nullopt;
    // The study gives what the options leave: its seed only without --seed, its texts before
    // --param and --dist apply.
    applyStudyOption(app, result.files, result.request.study);
    if (seed) result.request.study.seed = seed;
    readTargetOptions(app, texts, result.request.study);
    readProjectOptions(app, texts, result.request.study);
    for (const std::string& p : texts.params) {
        const auto [variable, text] = assignment(p, "--param");
        result.request.study.parameters[static_cast<std::size_t>(variable)] = text;
    }
    for (const std::string& d : texts.dists) {
        const auto [variable, name] = assignment(d, "--dist");
        // The window's list offers only its items.
        if (std::find(distributionNames.begin(), distributionNames.end(), name) ==
            distributionNames.end())
            throw CommandLineError("--dist: " + quotedText(name) + " is not an item of the list");
        result.request.study.distributions[static_cast<std::size_t>(variable)] = name;
    }
    requireFileName(app, "--output", texts.output);
    if (app.count("--output")) result.outputFile = texts.output;
    readDesignOptions(app, texts, result);
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args, std::ostream& out) {
    CommandLine result;
    OptionTexts texts;
    CLI::App app{
        "Ferrolith headless driver: runs the Monte Carlo check of the beam exactly as the "
        "window's Calculate does, and prints the report (CR LF line ends) to standard output.\n"
        "Exit status: 0 completed, 2 bad arguments or a count or parameter text that does not "
        "convert, 3 aborted by faulty data, 4 a file (report, study, results or record) could "
        "not be written, 5 the report (or this help) could not be written to standard output (this "
        "one "
        "whatever the run's outcome), 6 FORM found no design point (--method form, sorm or "
        "importance-sampling; subset-simulation needs none).",
        "ferrolith-cli"};
    addOptions(app, result, texts);

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
    refuseExtras(app.remaining());
    readOptionTexts(app, texts, result);
    refuseClashingOutputs(result);
    return result;
}

}  // namespace ferrolith
