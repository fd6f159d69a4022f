// The reliability methods through the driver: --method, --is-samples, their reports, exit
// statuses and results files, and the tail warning of a design run.
#include <gtest/gtest.h>

#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <nlohmann/json.hpp>

#include "reliability/reliability_text.hpp"
#include "support/file_test_support.hpp"
#include "support/run_cli.hpp"

namespace ferrolith::test {
namespace {

using testing::Result;
using testing::runCli;
using testing::slurp;
using testing::TempPath;
using Json = nlohmann::json;

struct JsonRun {
    Result cli;
    Json json;
};

JsonRun runWithJson(const std::string& options) {
    TempPath path("method.json");
    JsonRun run{runCli(options + " --json " + path.path), {}};
    if (std::filesystem::exists(path.path)) run.json = Json::parse(slurp(path.path));
    return run;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The rare case: Pf 9.25e-8, beta about 5.2, the beam width's design point beyond -4.
const std::string rareCase = "--param AllowableStress=90,3";
const std::string mixedCase =
    "--param AllowableStress=60,3 --param UdlValue=4,2 --dist UdlValue=Gumbel "
    "--param PointLoadValue=2.3,0.15 --dist PointLoadValue=Log-Normal";
// Every standard deviation 0: the limit state is flat, FORM finds no direction.
const std::string flatCase =
    "--param 0=4,0 --param 1=75,0 --param 2=225,0 --param 3=20,0 --param 4=2,0 --param 5=10,0 "
    "--param 6=4,0";

// FORM's text gives the other period's beta and the design values, as its results file does.
TEST(MethodDriver, FormGivesTheOtherPeriodAndTheDesignValues) {
    const JsonRun run =
        runWithJson("--method form --reference-period 1 --reliability-class RC3 " + mixedCase);
    ASSERT_EQ(run.cli.status, 0) << run.cli.err;
    const Json& form = run.json["form"];
    EXPECT_TRUE(has(run.cli.out, "FORM beta, 50-year loads: " +
                                     form["otherPeriod"]["text"].get<std::string>() + "\n"));
    EXPECT_TRUE(has(form["otherPeriod"]["text"], "on the safe side, a lower beta"));
    EXPECT_LT(form["otherPeriod"]["beta"].get<double>(), form["beta"].get<double>());
    EXPECT_TRUE(has(run.cli.out, "Characteristic and design values (" +
                                     form["designValues"]["caption"].get<std::string>() + "):\n"));
    EXPECT_TRUE(has(run.cli.out, "98% fractile of the annual maximum\n"));
    EXPECT_EQ(form["designValues"]["targetIndex"], 5.2);
    EXPECT_EQ(run.json["verdict"]["basis"], "RC3, 1-year loads: beta 5.2 (EN 1990 Table B2)");
    EXPECT_TRUE(has(run.cli.out,
                    "Target: falls short of RC3, 1-year loads: beta 5.2 (EN 1990 Table B2)\n"));
}

TEST(MethodDriver, EachMethodPrintsItsReportAndFigures) {
    struct Case {
        std::string method;
        std::string line;  // a line only that method's report has
        const char* field;
    };
    for (const Case& c :
         {Case{"form", "FORM beta: ", "form"}, Case{"sorm", "SORM Breitung Pf: ", "sorm"},
          Case{"importance-sampling", "Importance sampling Pf: ", "importanceSampling"},
          Case{"subset-simulation", "Subset simulation Pf: ", "subsetSimulation"}}) {
        SCOPED_TRACE(c.method);
        const JsonRun run =
            runWithJson("--method " + c.method + " --seed 3 --is-samples 2000 " + rareCase);
        EXPECT_EQ(run.cli.status, 0) << run.cli.err;
        EXPECT_EQ(run.cli.err, "");
        EXPECT_TRUE(has(run.cli.out, "Method: " + c.method + "\n")) << run.cli.out;
        EXPECT_TRUE(has(run.cli.out, "  AllowableStress   90,3            (no choice: Normal)\n"));
        EXPECT_TRUE(has(run.cli.out, c.line));
        EXPECT_TRUE(has(run.cli.out, "FORM converged: true\n"));
        EXPECT_FALSE(has(run.cli.out, "Total number of simulations"));
        EXPECT_EQ(run.json["schemaVersion"], 5);
        EXPECT_EQ(run.json["method"], c.method);
        EXPECT_EQ(run.json["study"]["seed"], 3);
        EXPECT_TRUE(run.json[c.field].is_object());
        EXPECT_EQ(run.json["report"], run.cli.out);
    }
}

TEST(MethodDriver, DesignPointInPhysicalUnitsWithThreeCoordinatesForGamma) {
    const JsonRun gamma = runWithJson("--method form --dist BeamDepth=Gamma");
    ASSERT_EQ(gamma.cli.status, 0) << gamma.cli.err;
    ASSERT_EQ(gamma.json["form"]["designPoint"].size(), 7u);
    double importance = 0.0;
    for (const Json& input : gamma.json["form"]["designPoint"]) {
        const std::size_t n = input["name"] == "BeamDepth" ? 3u : 1u;
        EXPECT_EQ(input["standardNormal"].size(), n) << input;
        EXPECT_EQ(input["alpha"].size(), n) << input;
        importance += input["importance"].get<double>();
    }
    EXPECT_NEAR(importance, 1.0, 1e-9);

    const JsonRun rare = runWithJson("--method form " + rareCase);
    ASSERT_EQ(rare.cli.status, 0) << rare.cli.err;
    const Json& form = rare.json["form"];
    EXPECT_TRUE(form["converged"]);
    EXPECT_NEAR(form["pf"].get<double>(),
                std::erfc(form["beta"].get<double>() / std::sqrt(2.0)) / 2, 1e-20);
    // Normal inputs in physical units: mean + sd z.
    const Json& stress = form["designPoint"][3];
    EXPECT_EQ(stress["name"], "AllowableStress");
    EXPECT_NEAR(stress["value"].get<double>(),
                90.0 + 3.0 * stress["standardNormal"][0].get<double>(), 1e-9);
    const Json& width = form["designPoint"][1];
    EXPECT_EQ(width["name"], "BeamWidth");
    EXPECT_NEAR(width["value"].get<double>(),
                75.0 + 10.0 * width["standardNormal"][0].get<double>(), 1e-9);
    EXPECT_LT(width["standardNormal"][0].get<double>(), -4.0);
    EXPECT_TRUE(has(rare.cli.out, "  BeamWidth         30.48       -4.452"));
}

TEST(MethodDriver, BadInputEndsEveryMethodAsItEndsTheDesignRun) {
    const Result designBad = runCli("--param '2=225;10'");
    const Result designFault = runCli("--dist 0=Poisson --seed 3");
    for (const std::string method :
         {"form", "sorm", "importance-sampling", "independent-monte-carlo", "subset-simulation"}) {
        SCOPED_TRACE(method);
        const Result bad = runCli("--method " + method + " --param '2=225;10'");
        EXPECT_EQ(bad.status, designBad.status);
        EXPECT_EQ(bad.err, designBad.err);
        EXPECT_EQ(bad.out, "");
        const Result fault = runCli("--method " + method + " --dist 0=Poisson");
        EXPECT_EQ(fault.status, designFault.status);
        EXPECT_TRUE(has(fault.err, "Pellox: Poisson Parameter < 10\n")) << fault.err;
    }
    const Result designCount = runCli("--repetitions abc");
    const Result count = runCli("--method independent-monte-carlo --repetitions abc");
    EXPECT_EQ(count.status, designCount.status);
    EXPECT_EQ(count.err, designCount.err);
    EXPECT_EQ(runCli("--method weibull").status, 2);
    EXPECT_EQ(runCli("--method form --is-samples 0").status, 2);
    EXPECT_EQ(runCli("--method form --is-samples 1e4").status, 2);
    // Counts that make no chains of ten states: one line each, and nothing run.
    for (const char* options : {"--subset-samples 1", "--subset-samples 1005",
                                "--subset-samples 2000000", "--subset-runs 0", "--subset-runs x"}) {
        SCOPED_TRACE(options);
        const Result r = runCli(std::string("--method subset-simulation ") + options);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

// Subset simulation needs no design point: on the rare case its pooled runs hold Pf 9.25e-8 in
// their interval; where g does not vary (FORM finds no direction) the threshold never reaches 0
// and the level cap ends it without a figure.
TEST(MethodDriver, SubsetSimulationEndToEnd) {
    const JsonRun rare = runWithJson("--method subset-simulation --seed 4 --subset-runs 20 " +
                                     rareCase + " --threads 2");
    ASSERT_EQ(rare.cli.status, 0) << rare.cli.err;
    const Json& subset = rare.json["subsetSimulation"];
    EXPECT_LE(subset["pfInterval95"]["lower"].get<double>(), 9.25e-8);
    EXPECT_GE(subset["pfInterval95"]["upper"].get<double>(), 9.25e-8);
    EXPECT_EQ(subset["runs"].size(), 20u);
    EXPECT_EQ(subset["samplingEnd"], "count");
    EXPECT_EQ(rare.json["verdict"]["decision"], "meets");
    EXPECT_TRUE(has(rare.cli.out, "Subset simulation CoV: ")) << rare.cli.out;
    EXPECT_TRUE(has(rare.cli.out, "the runs' measured spread about their mean")) << rare.cli.out;
    EXPECT_EQ(subset["covNote"], reliability::text::subsetSpreadNote);
    const JsonRun flat = runWithJson("--method subset-simulation --seed 1 " + flatCase);
    EXPECT_EQ(flat.cli.status, 0) << flat.cli.err;
    EXPECT_EQ(flat.json["form"]["converged"], false);
    EXPECT_TRUE(flat.json["subsetSimulation"]["pf"].is_null());
    EXPECT_TRUE(has(flat.json["subsetSimulation"]["message"], "cap of 50 levels"));
    EXPECT_EQ(flat.json["verdict"]["decision"], "no-answer");
}

// --target-cov: a number above 0 and below 1; anything else is one line and status 2, as every
// other bad option, and nothing is run.
TEST(MethodDriver, ABadTargetCovIsOneLineAndStatus2) {
    for (const char* bad :
         {"0", "1", "-0.05", "1.5", "abc", "0.05x", "' 0.05'", "''", "nan", "inf", "1e-400x"}) {
        const Result r = runCli(std::string("--method importance-sampling --target-cov ") + bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.out, "") << bad;
        EXPECT_EQ(r.err.substr(0, 29), "ferrolith-cli: --target-cov: ") << r.err;
        EXPECT_TRUE(has(r.err, "\" is not a number above 0 and below 1\n")) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

// With --target-cov, --is-samples is the cap: the report, the file and the method's estimate say
// which ended the sampling.
TEST(MethodDriver, ATargetCovEndsImportanceSamplingAndTheReportSaysSo) {
    struct Case {
        std::string options;
        std::string line;
        const char* end;
    };
    for (const Case& c :
         {Case{"--target-cov 0.05", "Importance sampling ended: its CoV reached the target\n",
               "target-cov"},
          Case{"--target-cov 0.001 --is-samples 3000",
               "Importance sampling ended: the cap was drawn before its CoV reached the target\n",
               "cap"},
          Case{"--is-samples 3000", "Importance sampling ended: the samples asked for were drawn\n",
               "count"}}) {
        SCOPED_TRACE(c.options);
        const JsonRun run =
            runWithJson("--method importance-sampling --seed 3 " + c.options + " " + rareCase);
        EXPECT_EQ(run.cli.status, 0) << run.cli.err;
        EXPECT_TRUE(has(run.cli.out, c.line)) << run.cli.out;
        const Json& s = run.json["importanceSampling"];
        EXPECT_EQ(s["samplingEnd"], c.end);
        if (std::string(c.end) == "target-cov") {
            EXPECT_EQ(s["targetCov"], 0.05);
            EXPECT_LE(s["cov"].get<double>(), 0.05);
            EXPECT_LT(s["samples"].get<std::int64_t>(), 40000);
            EXPECT_TRUE(has(run.cli.out, "Importance sampling target CoV: 0.05"));
        } else if (std::string(c.end) == "cap") {
            EXPECT_EQ(s["samples"], 3000);
            EXPECT_GT(s["cov"].get<double>(), 0.001);
        } else {
            EXPECT_TRUE(s["targetCov"].is_null());
            EXPECT_TRUE(has(run.cli.out, "Importance sampling target CoV: none\n"));
        }
    }
}

TEST(MethodDriver, FormWithoutDesignPointHasItsOwnStatusAndNoBeta) {
    for (const std::string method : {"form", "importance-sampling"}) {
        const JsonRun run = runWithJson("--method " + method + " " + flatCase);
        EXPECT_EQ(run.cli.status, 6);
        EXPECT_TRUE(has(run.cli.out, "FORM converged: false\n")) << run.cli.out;
        EXPECT_FALSE(has(run.cli.out, "FORM beta"));
        EXPECT_EQ(std::count(run.cli.err.begin(), run.cli.err.end(), '\n'), 1) << run.cli.err;
        EXPECT_FALSE(run.json["form"]["converged"]);
        EXPECT_TRUE(run.json["form"]["beta"].is_null());
        EXPECT_TRUE(run.json["importanceSampling"].is_null());
    }
}

// One Normal beam width of sd 10 decides, every other second number 0: failure below 71.111 mm.
std::string oneNormalCase(const std::string& widthMean) {
    return "--param 1=" + widthMean + ",10 --param 0=4,0 --param 2=225,0 --param 3=20,0 " +
           "--param 4=2,0 --param 5=10,0 --param 6=4,0";
}

double phi(double x) { return boost::math::cdf(boost::math::normal(), x); }

// Pf within 4 standard errors of the measured values, and of Phi where one Normal input decides
// 4.5 and 4 standard deviations out (where the design's generator gives 0.49 and 0.93 of it).
TEST(MethodDriver, ImportanceSamplingMeetsTheMeasuredCases) {
    for (const auto& [inputs, pf] : {std::pair{rareCase, 9.25e-8}, std::pair{mixedCase, 2.05e-6},
                                     std::pair{oneNormalCase("116.1111"), phi(-4.5)},
                                     std::pair{oneNormalCase("111.1111"), phi(-4.0)}}) {
        const JsonRun run =
            runWithJson("--method importance-sampling --seed 11 --is-samples 10000 " + inputs);
        ASSERT_EQ(run.cli.status, 0) << run.cli.err;
        const Json& s = run.json["importanceSampling"];
        EXPECT_NEAR(s["pf"].get<double>(), pf, 4 * s["standardError"].get<double>()) << s;
        EXPECT_LT(s["cov"].get<double>(), 0.05);
    }
}

// At beta about 3 the design's generator is sound: the design run and importance sampling agree
// within 4 standard errors of their difference, and each 95% interval holds the measured 1.0097e-3.
TEST(MethodDriver, ImportanceSamplingAgreesWithTheDesignRunAtBetaThree) {
    const std::string inputs = " --seed 3 --param AllowableStress=47,3";
    const JsonRun design = runWithJson("--repetitions 60 --samples 32767" + inputs);
    const JsonRun sampling = runWithJson("--method importance-sampling" + inputs);
    ASSERT_EQ(design.cli.status, 0) << design.cli.err;
    ASSERT_EQ(sampling.cli.status, 0) << sampling.cli.err;
    const Json& is = sampling.json["importanceSampling"];
    const double designPf = design.json["pf"].get<double>();
    const double designError = designPf * design.json["pfCoV"].get<double>();
    const double isError = is["standardError"].get<double>();
    EXPECT_NEAR(is["pf"].get<double>(), designPf, 4 * std::hypot(designError, isError));
    for (const Json* interval : {&design.json["pfInterval95"], &is["pfInterval95"]}) {
        EXPECT_LT((*interval)["lower"].get<double>(), 1.0097e-3) << *interval;
        EXPECT_GT((*interval)["upper"].get<double>(), 1.0097e-3) << *interval;
    }
    EXPECT_TRUE(design.json["tailWarning"].is_null());
}

// Runs whose importance sampling gave a Pf of 1.055 and 5.364 (FORM's beta is -3.0 and -3.4:
// failure is not rare there) and a zero-width interval from one sample. pf within 4 standard
// errors of independent Monte Carlo's 1.8 million samples (seed 4), each interval holding its pf.
TEST(MethodDriver, ImportanceSamplingGivesProbabilitiesInIntervalsThatHoldThem) {
    struct Case {
        std::string options;
        const char* estimator;
        double reference, referenceError;  // NaN: no figure to compare
        const char* decision;
    };
    const double none = std::nan("");
    for (const Case& c :
         {Case{"--seed 7 --param BeamDepth=75,10", "safe-domain", 0.99850611, 2.9e-5,
               "falls-short"},
          Case{"--seed 23 --dist 2=Gamma --param 2=1,0.5", "safe-domain", 0.99969056, 1.3e-5,
               "falls-short"},
          Case{"--seed 1 --is-samples 1", "failure-domain", none, none, "no-answer"}}) {
        SCOPED_TRACE(c.options);
        const JsonRun run = runWithJson("--method importance-sampling " + c.options);
        ASSERT_EQ(run.cli.status, 0) << run.cli.err;
        const Json& s = run.json["importanceSampling"];
        EXPECT_EQ(s["estimator"], c.estimator);
        const double pf = s["pf"].get<double>();
        const double lower = s["pfInterval95"]["lower"].get<double>();
        const double upper = s["pfInterval95"]["upper"].get<double>();
        EXPECT_TRUE(0.0 <= lower && lower <= pf && pf <= upper && upper <= 1.0) << s;
        EXPECT_EQ(run.json["verdict"]["decision"], c.decision);
        if (std::isnan(c.reference)) {
            EXPECT_TRUE(s["standardError"].is_null()) << s;
            EXPECT_EQ(lower, 0.0);
            EXPECT_EQ(upper, 1.0);
            EXPECT_TRUE(has(run.cli.out,
                            "Importance sampling interval: 1 sample fell in the "
                            "failure domain; Pf's interval needs at least 10"));
            continue;
        }
        const double error = s["standardError"].get<double>();
        EXPECT_NEAR(pf, c.reference, 4 * std::hypot(error, c.referenceError)) << s;
        EXPECT_TRUE(std::isfinite(s["beta"].get<double>())) << s;
        EXPECT_TRUE(has(run.cli.out, "Importance sampling estimator: the safe domain around"));
    }
}

TEST(MethodDriver, SameFiguresAtAnyThreadCount) {
    for (const std::string method :
         {"form", "sorm", "importance-sampling", "independent-monte-carlo", "subset-simulation"}) {
        SCOPED_TRACE(method);
        const std::string options =
            "--method " + method + " --seed 5 --is-samples 3000 " + mixedCase;
        const JsonRun one = runWithJson(options + " --threads 1");
        for (const char* threads : {"2", "8"}) {
            const JsonRun more = runWithJson(options + " --threads " + threads);
            EXPECT_EQ(more.cli.out, one.cli.out);
            for (const char* field : {"form", "sorm", "importanceSampling", "subsetSimulation",
                                      "repetitions", "pf", "streamInterval95"})
                EXPECT_EQ(more.json.value(field, Json()), one.json.value(field, Json())) << field;
        }
    }
}

// Each repetition from its own stream, numbered 1 to M, in the design run's fields and rows.
TEST(MethodDriver, IndependentMonteCarloWritesTheDesignRunsFieldsAndRows) {
    TempPath csv("streams.csv");
    const JsonRun run = runWithJson(
        "--method independent-monte-carlo --seed 4 --repetitions 3 --samples 500 --csv " +
        csv.path);
    ASSERT_EQ(run.cli.status, 0) << run.cli.err;
    EXPECT_TRUE(has(run.cli.out, "Method: independent-monte-carlo\n"));
    EXPECT_TRUE(has(run.cli.out, "Independent Monte Carlo seed: 4\n"));
    EXPECT_TRUE(has(run.cli.out, "Repetitions:\n"));
    EXPECT_EQ(run.json["method"], "independent-monte-carlo");
    EXPECT_EQ(run.json["engine"], "streams");
    EXPECT_TRUE(run.json["tailWarning"].is_null());
    ASSERT_EQ(run.json["repetitions"].size(), 3u);
    int failures = 0;
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(run.json["repetitions"][r]["seed"], r + 1);
        failures += run.json["repetitions"][r]["failures"].get<int>();
    }
    EXPECT_EQ(run.json["failures"], failures);
    EXPECT_EQ(run.json["pf"], failures / 1500.0);
    const std::string rows = slurp(csv.path);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 4);
    EXPECT_TRUE(has(rows, "\n1,1,") && has(rows, "\n2,2,") && has(rows, "\n3,3,")) << rows;
}

TEST(MethodDriver, DesignRunCarriesFormAndTheTailWarning) {
    const JsonRun rare = runWithJson("--seed 1 --repetitions 2 --samples 100 " + rareCase);
    ASSERT_EQ(rare.cli.status, 0) << rare.cli.err;
    EXPECT_EQ(rare.json["method"], "monte-carlo");
    EXPECT_TRUE(rare.json["form"]["converged"]);
    ASSERT_TRUE(rare.json["tailWarning"].is_string());
    const std::string warning = rare.json["tailWarning"];
    EXPECT_EQ(warning.rfind("Beam Width (mm) is a resistance that must fall to the standard normal "
                            "value -4.",
                            0),
              0u)
        << warning;
    EXPECT_EQ(warning.find('\n'), std::string::npos);
    // The report is the design report, without a word of FORM.
    EXPECT_FALSE(has(rare.cli.out, "FORM"));

    const JsonRun defaults = runWithJson("--seed 1 --repetitions 2 --samples 100");
    EXPECT_TRUE(defaults.json["form"]["converged"]);
    EXPECT_TRUE(defaults.json["tailWarning"].is_null());
}

// The point load may stand either side of midspan: two mirror design points, beta 3.578 and
// 3.579, each carrying about the same probability.
const std::string mirrorCase =
    "--param PointLoadLocation=2,2 --param PointLoadValue=0,4 --param AllowableStress=80,3";

TEST(MethodDriver, EveryDesignPointAndTheWarningInTheReportAndTheFile) {
    const JsonRun sorm = runWithJson("--method sorm " + mirrorCase);
    ASSERT_EQ(sorm.cli.status, 0) << sorm.cli.err;
    const Json& form = sorm.json["form"];
    ASSERT_EQ(form["designPoints"].size(), 2u);
    EXPECT_EQ(form["designPoints"][0]["inputs"], form["designPoint"]);
    const std::string warning = form["severalPointsWarning"];
    EXPECT_EQ(warning.rfind("FORM found 2 design points; the second carries 100% of the first "
                            "one's probability: Pf from one point alone is too low. The system "
                            "estimate from both is Pf ",
                            0),
              0u)
        << warning;
    const std::string& out = sorm.cli.out;
    for (const std::string& line : std::vector<std::string>{
             "FORM warning: " + warning + "\n", "FORM design points: 2\n",
             "Design point 1 of 2, beta 3.578:\n", "Design point 2 of 2, beta 3.579:\n",
             "SORM note: SORM's curvatures are of the nearest design point only"})
        EXPECT_TRUE(has(out, line)) << line << "\n" << out;
    // The system's Pf: more than the nearest point's, at most both together.
    const double system = form["system"]["pf"], pf = form["pf"];
    EXPECT_GT(system, 1.9 * pf);
    EXPECT_LE(system, 2 * pf);
    // A design run's file carries the same.
    const JsonRun design = runWithJson("--seed 1 --repetitions 2 --samples 100 " + mirrorCase);
    EXPECT_EQ(design.json["form"]["severalPointsWarning"], warning);

    const JsonRun one = runWithJson("--method sorm");
    ASSERT_EQ(one.cli.status, 0) << one.cli.err;
    EXPECT_TRUE(one.json["form"]["severalPointsWarning"].is_null());
    EXPECT_EQ(one.json["form"]["designPoints"].size(), 1u);
    EXPECT_FALSE(has(one.cli.out, "FORM warning") || has(one.cli.out, "SORM note") ||
                 has(one.cli.out, "Design point 1 of"))
        << one.cli.out;
}

}  // namespace
}  // namespace ferrolith::test
