#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "reliability/method_result.hpp"

// The fixed texts of the calculation record.
namespace ferrolith::record_text {

inline constexpr const char* title = "Calculation record";
// The first page's summary: the question, the answer, what gives it and what checks it, and who
// signs for it.
inline constexpr const char* summaryHeading = "Summary";
inline constexpr const char* question = "Question";
inline constexpr const char* questionText =
    "Does this beam reach the target reliability index for its reliability class and reference "
    "period, ";
inline constexpr const char* answer = "Answer";
inline constexpr const char* noAnswer = "none: no method gives a figure. ";
inline constexpr const char* givenBy = "Given by";
inline constexpr const char* checkedBy = "Checked by";
inline constexpr const char* nothingChecks =
    "nothing: no sampling method with a figure was run on this study, so the answer rests on one "
    "method alone.";
inline constexpr const char* project = "Project";
inline constexpr const char* engineer = "Engineer";
inline constexpr const char* checker = "Checker";
inline constexpr const char* notGiven = "not given";
inline constexpr const char* signatureLine = "Signature: ______________________   Date: __________";
// The limit state as the program computes it (model/limit_state.hpp).
inline constexpr const char* limitStateHeading = "Limit state";
inline constexpr const char* effectFormula =
    "E = P a (L - a) / L + w L^2 / 8, in kN m: the moment under the point load from the point "
    "load, plus the moment at midspan from the UDL (each load's largest moment, added wherever "
    "the point load stands). L: Beam Length (m); a: Point Load Location (m), from the left "
    "support; P: Point Load Value (kN); w: UDL Value (kN/m).";
inline constexpr const char* resistanceFormula =
    "R = f b d^2 / 4, in kN m: the allowable stress times b d^2 / 4, the plastic section modulus "
    "of the rectangle (not the elastic b d^2 / 6). f: Beam Allowable Stress (N/mm2); b: Beam "
    "Width (mm); d: Beam Depth (mm); f b d^2 in N mm is divided by 10^6.";
inline constexpr const char* failureRule =
    "Failure when R <= E: a sample whose R equals E fails, and so does one whose E or R is not "
    "a number. Pf is the probability of failure, beta = -Phi^-1(Pf).";
inline constexpr const char* basisHeading = "Reference period, loads and independence";
inline constexpr const char* referencePeriod = "Reference period";
inline constexpr const char* variableLoadMeaning =
    "variable: its law is that of its maximum over the reference period";
inline constexpr const char* permanentLoadMeaning =
    "permanent (self-weight): its law holds whatever the period";
inline constexpr const char* independence =
    "The seven inputs are independent: each is drawn from its own law, with no correlation "
    "between any two, in the design run and in every method.";
inline constexpr const char* studyHeading = "Study";
inline constexpr const char* studyIntro =
    "Each input's law as the design draws it. The parameter texts are quoted exactly as typed: "
    "their comma separates the two numbers and is never a decimal comma. Mean, standard "
    "deviation, coefficient of variation and characteristic value are those of the law drawn "
    "(the design's own Gamma, the Poisson's normal approximation), not of the numbers as typed. "
    "The same inputs with the same counts and seed give the same run again.";
inline constexpr std::array<const char*, 7> inputHeads{
    "Input", "Distribution", "As typed, read as", "Mean", "Std. dev.", "CoV", "Characteristic"};
inline constexpr const char* noDistribution = " (none chosen)";
inline constexpr const char* noFigure = "-";
inline constexpr const char* repetitions = "Repetitions";
inline constexpr const char* samples = "Samples a repetition";
inline constexpr const char* seed = "Seed used";
inline constexpr const char* figuresHeading = "Failure probability";
inline constexpr const char* noFigures = "No figures: no repetition completed.";
inline constexpr const char* warningsHeading = "Warnings";
inline constexpr const char* importanceHeading = "Inputs at failure";
inline constexpr const char* noImportance =
    "No sample failed, so no input can be shown at failure.";
inline constexpr const char* chartsHeading = "Charts";
inline constexpr const char* convergenceTitle =
    "Convergence: Pf after each repetition, with its "
    "95% Wilson band";
inline constexpr const char* effectResistTitle = "E (action effect) and R (resistance)";
inline constexpr const char* marginTitle = "Margin R - E; the line marks failure, R - E = 0";
inline constexpr const char* formHeading = "FORM on the study's inputs";
inline constexpr const char* noForm = "FORM was not run: a parameter text does not convert.";
inline constexpr std::array<const char*, 5> designPointHeads{
    "Input", "Design point", "Standard normal", "Alpha", "Importance"};
inline constexpr const char* designPointCount = "Design points found";
inline constexpr const char* systemProbability = "System Pf, from every design point";
inline constexpr const char* systemBeta = "System beta";
inline constexpr const char* note = "Note";
// The design values: their caption's start, the table's heads, the bases listed under it.
inline constexpr const char* designValuesTitle = "Characteristic and design values: ";
inline constexpr std::array<const char*, 6> designValuesHeads{
    "Input", "Characteristic", "At design point", "Partial factor", "At target", "Partial factor"};
inline constexpr const char* noFactor = "-";
inline constexpr const char* loadRoles = "Loads";
inline constexpr const char* methodsHeading = "Methods";
inline constexpr const char* disagreement = "The methods disagree. ";
inline constexpr const char* reportHeading = "Report";
inline constexpr const char* target = "Target";
// Design for the target: its section and its chart's legend for a target out of reach (the
// other texts are the charts' own, analysis/chart_texts.hpp).
inline constexpr const char* designHeading = "Design for the target";
inline constexpr const char* designBest = "best in the range";

// "years": the reference period's words.
std::string periodText(int years);

// What a method is called in the record.
std::string methodTitle(reliability::Method method);

// "Ferrolith 0.2.0": the program and its version.
std::string programLine();

// "Run of 2026-12-07 21:50:13 (UTC+01:00)": the local date and time a run began.
std::string runTimeLine(std::int64_t startedAt);

// "Page 2 of 5".
std::string pageLine(int page, int pages);

// "repetition 25 of 25, 1000 samples": which samples the distribution charts count.
std::string distributionsLine(int repetition, int planned, int samples);

// The report's repetition blocks left out of a long report.
std::string repetitionsLeftOut(int blocks);

}  // namespace ferrolith::record_text
