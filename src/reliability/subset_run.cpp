#include "reliability/subset_run.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>
#include <vector>

#include "reliability/block_parallel.hpp"
#include "reliability/normal_stream.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/subset_variation.hpp"

namespace ferrolith::reliability {

namespace {

// g as the levels order it: NaN fails (fails()), so it lies below every threshold.
double levelKey(double g) { return std::isnan(g) ? -std::numeric_limits<double>::infinity() : g; }

// A level's samples chain after chain: state l of chain c is sample c * states + l.
class LevelSamples {
  public:
    LevelSamples(int dimension, std::int64_t chains, std::int64_t states)
        : dimension_(static_cast<std::size_t>(dimension)),
          states_(states),
          points_(static_cast<std::size_t>(chains * states) * dimension_),
          keys_(static_cast<std::size_t>(chains * states)) {}

    std::int64_t size() const { return static_cast<std::int64_t>(keys_.size()); }
    std::int64_t states() const { return states_; }
    std::span<double> point(std::int64_t i) {
        return {points_.data() + static_cast<std::size_t>(i) * dimension_, dimension_};
    }
    std::span<const double> point(std::int64_t i) const {
        return {points_.data() + static_cast<std::size_t>(i) * dimension_, dimension_};
    }
    double& key(std::int64_t i) { return keys_[static_cast<std::size_t>(i)]; }
    double key(std::int64_t i) const { return keys_[static_cast<std::size_t>(i)]; }

    // Whether each sample lies at or below threshold.
    std::vector<char> below(double threshold) const {
        std::vector<char> flags(keys_.size());
        for (std::size_t i = 0; i < keys_.size(); ++i) flags[i] = keys_[i] <= threshold ? 1 : 0;
        return flags;
    }

  private:
    std::size_t dimension_;
    std::int64_t states_;
    std::vector<double> points_;
    std::vector<double> keys_;
};

struct ChainOutcome {
    std::int64_t evaluations = 0;
    std::optional<InputFault> fault;
};

// g at z as a level key; an InputFaultError passes up.
double evaluate(const LimitStateFunction& g, std::span<const double> z, ChainOutcome& outcome) {
    ++outcome.evaluations;
    return levelKey(g.value(z));
}

// Chain c of the first level: states independent standard normal points.
void directChain(const LimitStateFunction& g, NormalStream& normals, LevelSamples& level,
                 std::int64_t c, ChainOutcome& outcome) {
    for (std::int64_t i = c * level.states(); i < (c + 1) * level.states(); ++i) {
        const std::span<double> z = level.point(i);
        for (double& x : z) x = normals.next();
        level.key(i) = evaluate(g, z, outcome);
    }
}

// The component-wise Metropolis step: each coordinate moves to x + spread w with probability
// min(1, phi(x')/phi(x)), so the candidate keeps the standard normal density; false when no
// coordinate moved.
bool propose(NormalStream& normals, std::span<const double> from, std::span<double> to) {
    bool moved = false;
    for (std::size_t k = 0; k < from.size(); ++k) {
        const double x = from[k];
        const double candidate = x + proposalSpread * normals.next();
        const double exponent = 0.5 * (x * x - candidate * candidate);
        const bool taken = exponent >= 0.0 || normals.uniform() < std::exp(exponent);
        to[k] = taken ? candidate : x;
        moved = moved || taken;
    }
    return moved;
}

// Chain c of a later level from its seed, a sample of the level before at or below threshold:
// a candidate above it is refused and the chain repeats its state.
void metropolisChain(const LimitStateFunction& g, NormalStream& normals, const LevelSamples& before,
                     std::int64_t seed, double threshold, LevelSamples& level, std::int64_t c,
                     ChainOutcome& outcome) {
    const std::int64_t first = c * level.states();
    std::ranges::copy(before.point(seed), level.point(first).begin());
    level.key(first) = before.key(seed);
    for (std::int64_t i = first + 1; i < first + level.states(); ++i) {
        const std::span<const double> from = level.point(i - 1);
        const std::span<double> to = level.point(i);
        level.key(i) = level.key(i - 1);
        if (!propose(normals, from, to)) continue;
        const double key = evaluate(g, to, outcome);
        if (key <= threshold)
            level.key(i) = key;
        else
            std::ranges::copy(from, to.begin());
    }
}

// The samples of the level lowest in g, lowest first (the earlier sample first among equals).
std::vector<std::int64_t> lowest(const LevelSamples& level, std::int64_t count) {
    std::vector<std::int64_t> order(static_cast<std::size_t>(level.size()));
    std::iota(order.begin(), order.end(), std::int64_t{0});
    const auto byKey = [&level](std::int64_t a, std::int64_t b) {
        return level.key(a) < level.key(b) || (level.key(a) == level.key(b) && a < b);
    };
    std::partial_sort(order.begin(), order.begin() + count + 1, order.end(), byKey);
    order.resize(static_cast<std::size_t>(count + 1));
    return order;
}

// The p0-quantile of g: halfway between the seeds' highest and the next sample up.
double quantile(const LevelSamples& level, const std::vector<std::int64_t>& order) {
    const double last = level.key(order[order.size() - 2]);
    const double next = level.key(order.back());
    return std::isfinite(last) && std::isfinite(next) ? 0.5 * (last + next) : last;
}

// Tells the run's progress of a level's chains as samples of the levels begun.
MethodProgress levelProgress(const MethodProgress& progress, std::int64_t drawnBefore,
                             std::int64_t states) {
    MethodProgress level{nullptr, progress.cancel};
    if (progress.update)
        level.update = [&progress, drawnBefore, states](std::int64_t done, std::int64_t total) {
            progress.update(drawnBefore + done * states, drawnBefore + total * states);
        };
    return level;
}

class Run {
  public:
    Run(const LimitStateFunction& g, const SubsetOptions& options, int run,
        const MethodProgress& progress, std::int64_t& drawnBefore)
        : g_(g),
          options_(options),
          run_(run),
          progress_(progress),
          drawnBefore_(drawnBefore),
          chains_(std::llround(options.levelProbability * static_cast<double>(options.samples))),
          states_(options.samples / chains_) {}

    SubsetRunOutcome go() {
        LevelSamples level(g_.dimension, chains_, states_);
        if (!drawLevel(level, [&](NormalStream& normals, std::int64_t c, ChainOutcome& o) {
                directChain(g_, normals, level, c, o);
            }))
            return std::move(outcome_);
        while (true) {
            const std::vector<std::int64_t> seeds = lowest(level, chains_);
            const double threshold = quantile(level, seeds);
            if (threshold <= 0.0) {
                addLevel(level.below(0.0), 0.0);
                return finished();
            }
            addLevel(seedFlags(level, seeds), threshold);
            if (levels() == options_.levelCap) {
                outcome_.message = text::levelCapReached(options_.levelCap, product());
                return std::move(outcome_);
            }
            LevelSamples next(g_.dimension, chains_, states_);
            if (!drawLevel(next, [&](NormalStream& normals, std::int64_t c, ChainOutcome& o) {
                    metropolisChain(g_, normals, level, seeds[static_cast<std::size_t>(c)],
                                    threshold, next, c, o);
                }))
                return std::move(outcome_);
            level = std::move(next);
        }
    }

  private:
    int levels() const { return static_cast<int>(outcome_.run.levels.size()); }

    double product() const {
        double p = 1.0;
        for (const SubsetLevel& l : outcome_.run.levels) p *= l.conditionalProbability;
        return p;
    }

    // Draws the level's chains in parallel, each from its own stream, and folds their outcomes in
    // chain order; false when the run ended (faulty data or cancelled).
    template <class Chain>
    bool drawLevel(LevelSamples& level, Chain chain) {
        std::vector<ChainOutcome> chains(static_cast<std::size_t>(chains_));
        const int number = levels();
        const bool complete =
            forEachBlock(options_.threads, chains.size(),
                         levelProgress(progress_, drawnBefore_, states_), [&](std::size_t c) {
                             const auto index = static_cast<std::int64_t>(c);
                             NormalStream normals(options_.seed, subsetStream(run_, number, index));
                             try {
                                 chain(normals, index, chains[c]);
                             } catch (const InputFaultError& e) {
                                 chains[c].fault = e.fault();
                             }
                         });
        drawnBefore_ += level.size();
        if (!complete) {
            outcome_.cancelled = true;
            return false;
        }
        for (const ChainOutcome& c : chains) {
            if (c.fault) {
                outcome_.fault = c.fault;
                return false;
            }
            outcome_.run.evaluations += c.evaluations;
        }
        return true;
    }

    // The level's samples taken as below its threshold: its seeds, p0 N of them, also where a
    // chain's repeated states tie at the threshold (Au and Beck's P_i = p0: counting every tied
    // state would take the top of the step in the samples' distribution and bias Pf upwards).
    std::vector<char> seedFlags(const LevelSamples& level, const std::vector<std::int64_t>& order) {
        std::vector<char> flags(static_cast<std::size_t>(level.size()), 0);
        for (std::int64_t c = 0; c < chains_; ++c) flags[static_cast<std::size_t>(order[c])] = 1;
        return flags;
    }

    void addLevel(const std::vector<char>& below, double threshold) {
        const LevelVariation v =
            levels() == 0 ? directVariation(below) : chainVariation(below, states_);
        outcome_.run.levels.push_back({threshold, v.probability, v.variation, v.correlation});
    }

    SubsetRunOutcome finished() {
        SubsetRun& run = outcome_.run;
        run.failureProbability = product();
        double squares = 0.0;
        for (const SubsetLevel& l : run.levels) squares += l.variation * l.variation;
        run.variation = std::sqrt(squares);
        return std::move(outcome_);
    }

    const LimitStateFunction& g_;
    const SubsetOptions& options_;
    int run_;
    const MethodProgress& progress_;
    std::int64_t& drawnBefore_;
    std::int64_t chains_;
    std::int64_t states_;
    SubsetRunOutcome outcome_;
};

}  // namespace

std::uint64_t subsetStream(int run, int level, std::int64_t chain) {
    return subsetStreamBase + (static_cast<std::uint64_t>(run) << 40) +
           (static_cast<std::uint64_t>(level) << 32) + static_cast<std::uint64_t>(chain);
}

SubsetRunOutcome subsetRun(const LimitStateFunction& g, const SubsetOptions& options, int run,
                           const MethodProgress& progress, std::int64_t& drawnBefore) {
    return Run(g, options, run, progress, drawnBefore).go();
}

}  // namespace ferrolith::reliability
