#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "reliability/method_result.hpp"

// The fixed texts of the calculation record.
namespace ferrolith::record_text {

inline constexpr const char* title = "Calculation record";
inline constexpr const char* studyHeading = "Study";
inline constexpr const char* studyIntro =
    "The inputs exactly as typed. The same inputs with the same counts and seed give the same "
    "run again.";
inline constexpr std::array<const char*, 3> inputHeads{"Input", "Distribution", "Parameters"};
inline constexpr const char* noDistribution = "none chosen (Normal)";
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
inline constexpr const char* samplesAxis = "samples (log scale)";
inline constexpr const char* pfAxis = "Pf";
inline constexpr const char* pfLogAxis = "Pf (log scale)";
inline constexpr const char* effectResistTitle = "E (action effect) and R (resistance)";
inline constexpr const char* marginTitle = "Margin R - E; the line marks failure, R - E = 0";
inline constexpr const char* momentAxis = "kN m";
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
    "Input", "Characteristic", "At design point", "Factor", "At target", "Factor"};
inline constexpr const char* noFactor = "-";
inline constexpr const char* loadRoles = "Loads";
inline constexpr const char* methodsHeading = "Methods";
inline constexpr const char* disagreement = "The methods disagree. ";
inline constexpr const char* reportHeading = "Report";
inline constexpr const char* target = "Target";
// Design for the target: its section, its chart's axis and legend.
inline constexpr const char* designHeading = "Design for the target";
inline constexpr const char* designBetaAxis = "beta (FORM)";
inline constexpr const char* designValueAxis = ", first number";
inline constexpr const char* designCurve = "FORM beta";
inline constexpr const char* designTarget = "target ";
inline constexpr const char* designFound = "found";
inline constexpr const char* designBest = "best in the range";

// What a method is called in the record.
std::string methodTitle(reliability::Method method);

// "Ferrolith 0.1.0": the program and its version.
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
