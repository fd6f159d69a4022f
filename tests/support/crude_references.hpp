#pragma once

// The beam studies whose point load may stand either side of midspan, so FORM finds two design
// points, with Pf by crude Monte Carlo over about 1e8 samples: the references the other methods
// are checked against. Each figure is the report of
//   ferrolith-cli --method independent-monte-carlo --seed 5 --repetitions 3052 --samples 32767
//       --param PointLoadLocation=... --param PointLoadValue=... --param AllowableStress=...
// with the study's texts (the other inputs at the window's defaults, all Normal): failures of
// 3052 x 32767 = 100,004,884 samples, and the 95% Wilson interval it prints.
#include <cstdint>
#include <ostream>
#include <vector>

#include "failure_statistics/wilson_interval.hpp"
#include "support/reliability_cases.hpp"

namespace ferrolith::test {

struct CrudeReference {
    const char* name;
    std::vector<InputChange> changes;
    std::int64_t failures;
    std::int64_t samples;
    double lower;  // of the 95% Wilson interval
    double upper;

    double failureProbability() const {
        return static_cast<double>(failures) / static_cast<double>(samples);
    }
    // The standard error the interval stands for.
    double standardError() const { return (upper - lower) / (2 * interval95Z); }
};

inline void PrintTo(const CrudeReference& c, std::ostream* os) { *os << c.name; }

inline const std::vector<CrudeReference>& crudeReferences() {
    using V = InputVariable;
    static const std::vector<CrudeReference> references = {
        // Mirror points, beta 3.578 and 3.579: Pf 2.501e-4.
        {"mirror points",
         {{V::PointLoadLocation, "2,2"}, {V::PointLoadValue, "0,4"}, {V::AllowableStress, "80,3"}},
         25010,
         100004884,
         2.470e-4,
         2.533e-4},
        // The same further out, beta 3.856 and 3.857: Pf 8.327e-5.
        {"mirror points far out",
         {{V::PointLoadLocation, "2,2"}, {V::PointLoadValue, "0,4"}, {V::AllowableStress, "100,3"}},
         8327,
         100004884,
         8.150e-5,
         8.507e-5},
        // An off-centre load, beta 3.665 and 3.995: Pf 1.096e-4.
        {"off-centre load",
         {{V::PointLoadLocation, "2.3,1.5"},
          {V::PointLoadValue, "0,8"},
          {V::AllowableStress, "100,3"}},
         10965,
         100004884,
         1.076e-4,
         1.117e-4},
    };
    return references;
}

}  // namespace ferrolith::test
