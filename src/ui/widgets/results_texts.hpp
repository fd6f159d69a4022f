#pragma once

#include <array>

// The fixed texts of the results window and of the items that open it.
namespace ferrolith::results_text {

inline constexpr const char* windowTitle = "Ferrolith Results";
inline constexpr const char* showResults = "Show Results";
inline constexpr const char* noRunYet = "No run yet: press Calculate in the main window.";
// A study was opened or dropped: its name, and that it has no results yet.
inline constexpr const char* studyLoaded =
    "Study %1 loaded, not run yet: press Calculate in the main window.";
inline constexpr const char* figuresTab = "Figures";
inline constexpr const char* convergenceTab = "Convergence";
inline constexpr const char* distributionsTab = "Distributions";
inline constexpr const char* figuresCaption = "Failure probability";
inline constexpr const char* noImportance = "The inputs at failure are shown once a sample fails.";
// The figures box when no repetition has completed.
inline constexpr const char* repetitionsCompleted = "Repetitions completed";
inline constexpr const char* noFigures = "No figures yet: no repetition has completed.";
inline constexpr const char* abortedBeforeFigures =
    "No figures: the run aborted on faulty input data before a repetition completed.";
inline constexpr const char* copyFigures = "Copy Figures";
inline constexpr const char* exportResults = "Export Results...";
inline constexpr const char* exportTitle = "Export Results";
inline constexpr const char* jsonFilterName = "JSON results";
inline constexpr const char* csvFilterName = "CSV, one row a repetition";
inline constexpr const char* noResultsToExport =
    "There are no results to export: the last run neither completed nor was aborted.";
inline constexpr const char* saveRecord = "Save Calculation Record...";
inline constexpr const char* saveRecordTitle = "Save Calculation Record";
inline constexpr const char* recordFileName = "calculation-record";
inline constexpr const char* pdfFilterName = "PDF files";
inline constexpr const char* print = "Print...";
inline constexpr const char* noRunToRecord =
    "There is no run to record: the last run neither completed nor was aborted.";
inline constexpr const char* cannotPrint = "The calculation record could not be printed.";
// The print job's name when no study file was opened or saved.
inline constexpr const char* recordPrintName = "Calculation record";
// The record's project details, at the head of the Figures tab.
inline constexpr const char* projectCaption = "Calculation record";
inline constexpr std::array<const char*, 3> projectLabels{"Project:", "Engineer:", "Checker:"};
inline constexpr const char* projectHint =
    "Printed on the calculation record's first page, with a signature line for the engineer and "
    "the checker, and kept in the study (Save Study As).";
inline constexpr const char* savePicture = "Save Picture...";
inline constexpr const char* savePictureTitle = "Save Chart Picture";
inline constexpr const char* pngFilterName = "PNG picture";
inline constexpr const char* svgFilterName = "SVG drawing";
inline constexpr const char* chartHint = "Right-click to save the chart as a PNG or SVG picture.";
inline constexpr const char* cannotDraw = "The chart could not be drawn";

inline constexpr const char* convergenceTitle = "Convergence";
inline constexpr const char* convergenceSubtitle =
    "Pf after each repetition, with its 95% Wilson band";

inline constexpr const char* effectResistTitle = "E and R";
inline constexpr const char* marginTitle = "Margin R - E";
inline constexpr const char* effectSeries = "E (action effect)";
inline constexpr const char* resistSeries = "R (resistance)";
inline constexpr const char* marginSeries = "R - E";
inline constexpr const char* thresholdSeries = "failure threshold R - E = 0";
// The run arrays keep the samples of the last repetition only, once it is collected.
inline constexpr const char* distributionsPending = "shown when the run completes";
// Which samples the histograms count: the repetition, of how many, and the samples.
inline constexpr const char* distributionsOfSamples = "repetition %1 of %2, %3 samples";
inline constexpr const char* distributionsOfOneSample = "repetition %1 of %2, %3 sample";

// The Methods tab.
inline constexpr const char* methodsTab = "Methods";
inline constexpr const char* formCaption = "FORM on the run's inputs";
inline constexpr const char* formPending = "FORM appears here when a run completes or aborts.";
inline constexpr const char* formUnreadable = "FORM could not read the run's parameters.";
// beta, Pf, how it ended, evaluations, the verdict.
inline constexpr const char* formSummary = "beta %1, Pf = Phi(-beta) = %2; %3; %4 evaluations; %5.";
inline constexpr const char* formConverged = "converged";
inline constexpr const char* formNotConverged = "did not converge: %1";
inline constexpr const char* formFault = "ended on faulty input data: %1";
inline constexpr const char* importanceBarsCaption =
    "Importance factors: each input's share of alpha squared at the design point";
inline constexpr std::array<const char*, 5> designPointHeads = {"Input", "Value", "Standard normal",
                                                                "Alpha", "Importance"};
inline constexpr const char* runCaption = "Run a method on the last run's inputs";
inline constexpr const char* methodLabel = "Method:";
inline constexpr const char* samplesLabel = "Sample count:";
inline constexpr const char* targetCovLabel = "Target CoV:";
inline constexpr const char* noTargetCov = "none";
inline constexpr const char* targetCovTip =
    "Stop once Pf's coefficient of variation is at or below this; the sample count is then the "
    "most drawn. Empty: draw every sample.";
// Independent Monte Carlo's counts: M x N.
inline constexpr const char* countsOfRun = "%1 x %2 (the run's counts)";
inline constexpr const char* runMethod = "Run";
inline constexpr const char* cancelMethod = "Cancel";
inline constexpr const char* noRunForMethods =
    "Calculate first: the methods work on the last run's inputs.";
inline constexpr const char* methodRunning = "%1 is running...";
inline constexpr const char* methodDone = "%1 done in %2 s.";
// A sampling method: its name, the seconds, what ended it.
inline constexpr const char* samplingDone = "%1 done in %2 s: %3.";
inline constexpr const char* methodCancelled = "%1 cancelled: no figures.";
inline constexpr const char* methodAborted = "%1 ended on faulty input data: no figures.";
inline constexpr const char* methodNotConverged = "%1: FORM found no design point.";
inline constexpr const char* targetLabel = "Target reliability index:";
inline constexpr const char* classLabel = "Reliability class:";
inline constexpr const char* typedTargetItem = "Typed target";
inline constexpr const char* periodLabel = "Variable loads' laws are maxima over:";
// In the order of ReferencePeriod.
inline constexpr std::array<const char*, 2> periodItems = {"1 year", "50 years"};
inline constexpr const char* sourceLabel = "Source of a typed target:";
// The source of a target typed in the tab without one.
inline constexpr const char* typedSource = "results window";
// FORM over the other period, after its summary: "FORM beta, 1-year loads: 2.799 (...)."
inline constexpr const char* otherPeriodLine = "%1: %2.";
// The design values' table, after the design point's.
inline constexpr const char* designValuesCaption = "Characteristic and design values: %1";
inline constexpr std::array<const char*, 6> designValuesHeads = {
    "Input", "Characteristic", "At design point", "Factor", "At target", "Factor"};
// Under the table, each input's line: how its characteristic value is taken.
inline constexpr const char* designValueBasis = "%1:";
inline constexpr const char* noFactor = "-";
inline constexpr const char* comparisonCaption = "Methods compared on this study";
inline constexpr std::array<const char*, 8> comparisonHeads = {
    "Method", "Pf", "95% interval", "CoV", "beta", "Samples", "Time (s)", "Target"};
// The Target column's words, in the order of Verdict; the verdict in full is the cell's tip.
// "not shown": not shown to meet the target, only a bound being known.
inline constexpr std::array<const char*, 4> verdictWords = {"meets", "falls short", "not shown",
                                                            "no answer"};
// Under the target's controls: the basis every verdict in the table rests on.
inline constexpr const char* comparisonBasis = "Each method is judged against %1.";
// Under the table, for each estimate without a figure: the method and why.
inline constexpr const char* comparisonWhy = "%1: %2";
// The methods as the tab names them, in the order of reliability::Method.
inline constexpr std::array<const char*, 6> methodTitles = {
    "Design Monte Carlo", "FORM", "SORM", "Importance sampling", "Independent Monte Carlo",
    "Subset simulation"};
// A bound where nothing failed, short enough for its column.
inline constexpr const char* pfBelow = "< %1";
inline constexpr const char* betaAbove = "> %1";
inline constexpr const char* noFigure = "no figure";
inline constexpr const char* evaluations = "%1 evaluations";
inline constexpr const char* intervalOf = "%1 to %2";
inline constexpr const char* badImportanceSamples =
    "Importance sampling samples: %1 is not a whole number from 1 to %2";
inline constexpr const char* badTargetCov =
    "Target CoV: %1 is not a number above 0 and below 1 (empty: no target)";

// The Design tab: the first number of an input at which FORM's beta meets the target.
inline constexpr const char* designTab = "Design";
inline constexpr const char* designCaption = "Design for the target on the last run's inputs";
inline constexpr const char* designInputLabel = "Input:";
inline constexpr const char* designKeepLabel = "Keep:";
// In the order of KeptSpread.
inline constexpr std::array<const char*, 2> designKeepItems = {
    "the second number as typed", "the coefficient of variation (second number scales)"};
inline constexpr const char* designRangeLabel = "First number from:";
inline constexpr const char* designRangeTo = "to";
inline constexpr const char* designRangeTip =
    "The first numbers to search. Both empty: half to twice the typed first number.";
inline constexpr const char* designDefaultRange = "default";
inline constexpr const char* runDesign = "Run";
inline constexpr const char* noRunForDesign =
    "Calculate first: the design works on the last run's inputs.";
inline constexpr const char* designRunning = "Searching %1 for the target...";
inline constexpr const char* designDone = "Done in %1 s.";
inline constexpr const char* designOtherInputs =
    "The inputs changed while the search ran: run it again.";
inline constexpr const char* badDesignRange =
    "First number range: %1 to %2 is not two numbers, the first below the second (both empty: "
    "the default)";
// The chart's title and its legend for a target out of reach (the other texts are the charts'
// own, analysis/chart_texts.hpp).
inline constexpr const char* designChartTitle = "FORM's beta against the first number";
inline constexpr const char* designBestSeries = "best in the range (target out of reach)";

}  // namespace ferrolith::results_text
