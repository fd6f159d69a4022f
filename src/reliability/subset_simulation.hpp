#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "failure_statistics/wilson_interval.hpp"
#include "reliability/input_fault.hpp"
#include "reliability/limit_state_function.hpp"
#include "reliability/method_progress.hpp"
#include "reliability/sampling_end.hpp"

namespace ferrolith::reliability {

// Au and Beck's choices: about a 10% coefficient of variation at the first level, and ten states
// a chain.
inline constexpr std::int64_t defaultSubsetSamples = 1000;
inline constexpr double defaultLevelProbability = 0.1;
// Past about 1e-50 there is nothing left to check a target index against.
inline constexpr int defaultLevelCap = 50;
inline constexpr int largestLevelCap = 200;

// A level keeps every sample's point: a million samples of 21 coordinates is 170 MB.
inline constexpr std::int64_t largestSubsetSamples = 1'000'000;
inline constexpr int largestSubsetRuns = 100'000;
// Runs pooled from which their spread about their mean says enough to measure Pf's coefficient
// of variation by.
inline constexpr int leastSpreadRuns = 10;
// The most runs pooled towards a target coefficient of variation unless a count is given.
inline constexpr int targetSubsetRuns = 1000;

struct SubsetOptions {
    std::uint64_t seed = 1;
    std::int64_t samples = defaultSubsetSamples;        // N a level
    double levelProbability = defaultLevelProbability;  // p0: above 0 and at most 0.5
    int levelCap = defaultLevelCap;
    // The runs pooled; with a target coefficient of variation, the most runs pooled.
    int runs = 1;
    // Pool runs until Pf's coefficient of variation is at or below it.
    std::optional<double> targetCov = std::nullopt;
    int threads = 0;  // 0: as many as the machine has; the figures do not depend on it
};

// One level: its samples, their threshold and the fraction of them below it.
struct SubsetLevel {
    double threshold = 0.0;  // b_i, the p0-quantile of g; 0 at the last level
    // P_i: p0, the level's seeds (b_i lies between their highest g and the next sample's); at the
    // last level the fraction that fails.
    double conditionalProbability = 0.0;
    double variation = 0.0;    // P_i's coefficient of variation, with its chains' correlation
    double correlation = 0.0;  // gamma_i of Au and Beck: 0 at the first level, drawn directly
};

// One run of subset simulation from its own streams.
struct SubsetRun {
    std::vector<SubsetLevel> levels;
    double failureProbability = 0.0;  // p0^(m - 1) P_m
    double variation = 0.0;           // the root of the sum of the levels' squared ones
    std::int64_t evaluations = 0;     // of the limit state
};

struct SubsetSimulationResult {
    std::optional<InputFault> fault;  // faulty data ended the method; no figures
    std::string message;              // set when there are no figures: why
    bool cancelled = false;           // stopped through progress's cancel flag; no figures
    std::uint64_t seed = 0;
    std::int64_t samples = 0;  // N a level
    double levelProbability = 0.0;
    std::optional<double> targetCov = std::nullopt;
    std::vector<SubsetRun> runs;
    std::int64_t evaluations = 0;  // of every run
    // The mean of the runs' Pf.
    double failureProbability = std::numeric_limits<double>::quiet_NaN();
    // Of that mean: Au and Beck's from the runs' own (text::subsetCovNote), or from
    // leastSpreadRuns runs on the runs' measured spread where that is the larger.
    double variation = std::numeric_limits<double>::quiet_NaN();
    // 95%: Pf times exp(-+1.96 s), s^2 = ln(1 + CoV^2), as if Pf were lognormal; at most 1.
    ProbabilityInterval interval;
    double beta = std::numeric_limits<double>::quiet_NaN();  // -Phi^-1(Pf)
    SamplingEnd end = SamplingEnd::Count;
};

// What the coefficient of variation rests on, in words, beside the figure.
const char* covNote(const SubsetSimulationResult& result);

// Why options cannot be run, in one line; empty when they can.
std::string subsetOptionsFault(const SubsetOptions& options);

// The failure probability by subset simulation (Au and Beck 2001), which needs no design point:
// N samples drawn directly, then levels of p0 N chains of 1 / p0 states in the standard normal
// space, each chain started from one of the p0 N samples of lowest g, each level's threshold the
// p0-quantile of g, until it reaches 0. The chains move by adaptive conditional sampling
// (Papaioannou et al. 2015), which keeps the normal density at every step and scales each
// coordinate's step to the level's width, in groups of chains that tune the scale towards 44% of
// candidates taken. Chain c of level l of run r draws from its own stream (subsetStream) and the
// chains are folded in order: a seed gives the same figures at any thread count. Runs go on, each
// from its own streams, until options.runs are pooled or, with a target, the pooled coefficient of
// variation reaches it. progress is told of the samples drawn of the levels begun (of the runs
// pooled, where several are drawn at once) and may cancel the method.
SubsetSimulationResult subsetSimulation(const LimitStateFunction& g,
                                        const SubsetOptions& options = {},
                                        const MethodProgress& progress = {});

}  // namespace ferrolith::reliability
