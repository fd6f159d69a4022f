// Design for the target through the driver: its lines after FORM's report, its results file and
// the curve's CSV, a target out of reach, and a request it cannot search.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/file_test_support.hpp"
#include "support/pdf_tools.hpp"
#include "support/run_cli.hpp"

namespace ferrolith::test {
namespace {

using testing::Result;
using testing::runCli;
using testing::slurp;
using testing::TempPath;
using Json = nlohmann::json;

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const std::string rareDepth = "--seed 1 --param AllowableStress=90,3 --design-for BeamDepth";

TEST(DesignDriver, PrintsTheValueFoundAndWritesItsCheckCurveAndRecord) {
    TempPath json("design.json"), csv("design.csv"), record("design.pdf");
    const Result r = runCli(rareDepth + " --is-samples 4000 --json " + json.path + " --csv " +
                            csv.path + " --record " + record.path);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(has(r.out, "FORM beta: "));  // FORM's report of the study as typed comes first
    EXPECT_TRUE(has(r.out, "\nDesign for the target: Beam Depth (mm), second number kept\n"));
    EXPECT_TRUE(has(r.out, "\nFound: 181.3 (mean 181.3, second number 10.00), FORM beta 3.800"));
    EXPECT_TRUE(has(r.out, "\nCheck, SORM: Pf "));
    EXPECT_TRUE(has(r.out, "\nCheck, importance sampling: Pf "));
    const Json file = Json::parse(slurp(json.path));
    const Json& d = file["designForTarget"];
    EXPECT_EQ(file["method"], "form");
    EXPECT_EQ(d["input"], "BeamDepth");
    EXPECT_EQ(d["keep"], "second");
    EXPECT_TRUE(d["reached"].get<bool>());
    EXPECT_NEAR(d["formBeta"].get<double>(), 3.8, 0.001);
    EXPECT_EQ(d["check"]["importanceSampling"]["samples"], 4000);
    EXPECT_EQ(d["curve"].size(), 31u);
    const std::string rows = slurp(csv.path);
    EXPECT_EQ(rows.rfind("value,beta\n112.5,", 0), 0u);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 32);
    // The record's section holds the same lines, and the chart's legend, drawn as vector graphics.
    const std::string pages = testing::pdfText(record.path, false);
    EXPECT_TRUE(has(pages,
                    "Design for the target\nDesign for the target: Beam Depth (mm), second "
                    "number kept\n"));
    EXPECT_TRUE(has(pages, "Found: 181.3 (mean 181.3, second number 10.00), FORM beta 3.800"));
    EXPECT_TRUE(has(pages, "target 3.80"));
    EXPECT_EQ(testing::pdfImageCount(record.path), 0);
}

TEST(DesignDriver, TheCheckStopsOnATargetCov) {
    TempPath json("design.json");
    const Result r = runCli(rareDepth + " --target-cov 0.05 --json " + json.path);
    ASSERT_EQ(r.status, 0) << r.err;
    const Json sampling =
        Json::parse(slurp(json.path))["designForTarget"]["check"]["importanceSampling"];
    EXPECT_EQ(sampling["samplingEnd"], "target-cov");
    EXPECT_LE(sampling["cov"].get<double>(), 0.05);
    const auto samples = sampling["samples"].get<std::int64_t>();
    EXPECT_LT(samples, 40000);
    EXPECT_TRUE(
        has(r.out, ", " + std::to_string(samples) + " samples; its CoV reached the target\n"));
}

TEST(DesignDriver, ATargetOutOfReachSaysSoWithTheBestValue) {
    const Result r = runCli(rareDepth + " --keep cov --range 100:150");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out,
                    "\nThe target is out of reach in the range: the best value is 150.0 "
                    "(mean 150.0, second number 6.667), FORM beta "));
    EXPECT_FALSE(has(r.out, "Check, "));
}

TEST(DesignDriver, BadValuesEndWithOneLineAndStatus2) {
    struct Case {
        std::string options;
        std::string line;
    };
    const Case cases[] = {
        {"--design-for Depth", "--design-for: \"Depth\" is not one of"},
        {"--design-for 2 --keep sd", "--keep: \"sd\" is not second"},
        {"--design-for 2 --range 5:2", "--range: \"5:2\" is not A:B with numbers A below B"},
        {"--keep cov", "--keep goes with --design-for"},
        {"--design-for UdlValue --param UdlValue=0,2.5",
         "--design-for: The typed first number is 0: give the range to search over."},
        {"--design-for 2 --param BeamDepth=x,10", "x"},
    };
    for (const Case& c : cases) {
        const Result r = runCli(c.options);
        EXPECT_EQ(r.status, 2) << c.options;
        EXPECT_TRUE(has(r.err, c.line)) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

}  // namespace
}  // namespace ferrolith::test
