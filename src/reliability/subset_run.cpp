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
    std::int64_t taken = 0;  // a chain's candidates taken
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

// A chain's proposal: each coordinate drawn from the normal of mean rho x and spread sigma, which
// keeps the standard normal density, so a candidate is refused only by the level (Papaioannou et
// al.'s conditional sampling).
struct Proposal {
    std::vector<double> spread;       // sigma_k, at most 1
    std::vector<double> correlation;  // rho_k = sqrt(1 - sigma_k^2)
};

void propose(NormalStream& normals, const Proposal& proposal, std::span<const double> from,
             std::span<double> to) {
    for (std::size_t k = 0; k < from.size(); ++k)
        to[k] = proposal.correlation[k] * from[k] + proposal.spread[k] * normals.next();
}

// Chain c of a later level from its seed, a sample of the level before at or below threshold:
// a candidate above it is refused and the chain repeats its state. Counts the candidates taken.
void conditionalChain(const LimitStateFunction& g, NormalStream& normals, const Proposal& proposal,
                      const LevelSamples& before, std::int64_t seed, double threshold,
                      LevelSamples& level, std::int64_t c, ChainOutcome& outcome) {
    const std::int64_t first = c * level.states();
    std::ranges::copy(before.point(seed), level.point(first).begin());
    level.key(first) = before.key(seed);
    for (std::int64_t i = first + 1; i < first + level.states(); ++i) {
        const std::span<const double> from = level.point(i - 1);
        const std::span<double> to = level.point(i);
        propose(normals, proposal, from, to);
        const double key = evaluate(g, to, outcome);
        if (key <= threshold) {
            level.key(i) = key;
            ++outcome.taken;
        } else {
            std::ranges::copy(from, to.begin());
            level.key(i) = level.key(i - 1);
        }
    }
}

// Each coordinate's standard deviation over the seeds: the width of the level's region.
std::vector<double> seedSpread(const LevelSamples& level, std::span<const std::int64_t> seeds,
                               int dimension) {
    std::vector<double> spread(static_cast<std::size_t>(dimension));
    const double n = static_cast<double>(seeds.size());
    for (std::size_t k = 0; k < spread.size(); ++k) {
        double sum = 0.0;
        double squares = 0.0;
        for (const std::int64_t s : seeds) {
            sum += level.point(s)[k];
            squares += level.point(s)[k] * level.point(s)[k];
        }
        spread[k] =
            seeds.size() < 2 ? 1.0 : std::sqrt(std::max(0.0, (squares - sum * sum / n) / (n - 1)));
    }
    return spread;
}

Proposal scaledProposal(const std::vector<double>& seedSpread, double scale) {
    Proposal p{std::vector<double>(seedSpread.size()), std::vector<double>(seedSpread.size())};
    for (std::size_t k = 0; k < seedSpread.size(); ++k) {
        p.spread[k] = std::min(1.0, scale * seedSpread[k]);
        p.correlation[k] = std::sqrt(1.0 - p.spread[k] * p.spread[k]);
    }
    return p;
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

// Tells the run's progress of chains drawn as samples of the levels begun.
MethodProgress chainProgress(const MethodProgress& progress, std::int64_t drawnBefore,
                             std::int64_t states) {
    MethodProgress chains{nullptr, progress.cancel};
    if (progress.update)
        chains.update = [&progress, drawnBefore, states](std::int64_t done, std::int64_t total) {
            progress.update(drawnBefore + done * states, drawnBefore + total * states);
        };
    return chains;
}

// The seeds in an order drawn from the level's own stream, so that each group of chains the
// proposal adapts on starts from seeds spread over the level rather than its lowest ones.
void shuffle(std::span<std::int64_t> seeds, NormalStream& stream) {
    for (std::size_t i = seeds.size(); i > 1; --i) {
        const auto j = static_cast<std::size_t>(stream.uniform() * static_cast<double>(i));
        std::swap(seeds[i - 1], seeds[std::min(j, i - 1)]);
    }
}

// The chains of a level adapt their proposal in groups of a tenth of them (at least one): after
// each group, the scale of the seeds' spread moves towards a 44% share of candidates taken,
// less at each group (Papaioannou, Betz, Zwirglmaier and Straub 2015).
inline constexpr double adaptedShare = 0.1;
inline constexpr double firstScale = 0.6;
inline constexpr double takenTarget = 0.44;
// Chains of fewer samples than this are drawn on the calling thread: handing them to others costs
// more than drawing them.
inline constexpr std::int64_t parallelSamples = 20000;

// As forEachBlock with progress, on the calling thread alone.
template <class Work>
bool serially(std::size_t count, const MethodProgress& progress, Work work) {
    for (std::size_t b = 0; b < count; ++b) {
        if (progress.cancelled()) return false;
        work(b);
        if (progress.update)
            progress.update(static_cast<std::int64_t>(b + 1), static_cast<std::int64_t>(count));
    }
    return true;
}

// The stream of a level's seed order: a chain number no level reaches.
inline constexpr std::int64_t seedOrderChain = (std::int64_t{1} << 32) - 1;

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
          states_(options.samples / chains_),
          groupChains_(std::max<std::int64_t>(
              1, std::llround(adaptedShare * static_cast<double>(chains_)))) {}

    SubsetRunOutcome go() {
        LevelSamples level(g_.dimension, chains_, states_);
        if (!drawChains(0, chains_, [&](NormalStream& normals, std::int64_t c, ChainOutcome& o) {
                directChain(g_, normals, level, c, o);
            }))
            return std::move(outcome_);
        while (true) {
            std::vector<std::int64_t> seeds = lowest(level, chains_);
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
            seeds.pop_back();
            NormalStream order(options_.seed, subsetStream(run_, levels(), seedOrderChain));
            shuffle(seeds, order);
            LevelSamples next(g_.dimension, chains_, states_);
            if (!drawConditionalLevel(level, seeds, threshold, next)) return std::move(outcome_);
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

    // The chains of a later level, group after group, each group's proposal scaled by what the
    // groups before it took.
    bool drawConditionalLevel(const LevelSamples& before, const std::vector<std::int64_t>& seeds,
                              double threshold, LevelSamples& level) {
        const std::vector<double> spread = seedSpread(before, seeds, g_.dimension);
        double scale = firstScale;
        for (std::int64_t first = 0, group = 1; first < chains_; first += groupChains_, ++group) {
            const std::int64_t count = std::min(groupChains_, chains_ - first);
            const Proposal proposal = scaledProposal(spread, scale);
            std::int64_t taken = 0;
            if (!drawChains(
                    first, count,
                    [&](NormalStream& normals, std::int64_t c, ChainOutcome& o) {
                        conditionalChain(g_, normals, proposal, before,
                                         seeds[static_cast<std::size_t>(c)], threshold, level, c,
                                         o);
                    },
                    &taken))
                return false;
            const double share =
                static_cast<double>(taken) / static_cast<double>(count * (states_ - 1));
            scale *= std::exp((share - takenTarget) / std::sqrt(static_cast<double>(group)));
        }
        return true;
    }

    // Draws chains first .. first + count - 1 of the level begun, each from its own stream, in
    // parallel, and folds their outcomes in chain order; false when the run ended (faulty data or
    // cancelled).
    template <class Chain>
    bool drawChains(std::int64_t first, std::int64_t count, Chain chain,
                    std::int64_t* taken = nullptr) {
        std::vector<ChainOutcome> chains(static_cast<std::size_t>(count));
        const int number = levels();
        const auto one = [&](std::size_t c) {
            const auto index = first + static_cast<std::int64_t>(c);
            NormalStream normals(options_.seed, subsetStream(run_, number, index));
            try {
                chain(normals, index, chains[c]);
            } catch (const InputFaultError& e) {
                chains[c].fault = e.fault();
            }
        };
        const bool complete =
            count * states_ < parallelSamples
                ? serially(chains.size(), chainProgress(progress_, drawnBefore_, states_), one)
                : forEachBlock(options_.threads, chains.size(),
                               chainProgress(progress_, drawnBefore_, states_), one);
        drawnBefore_ += count * states_;
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
            if (taken) *taken += c.taken;
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
    std::int64_t groupChains_;
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
