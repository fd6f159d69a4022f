#pragma once

// Why an estimate has no figure, as every view says it.
namespace ferrolith::analysis_text {

inline constexpr const char* methodFailed =
    "The method did not run: a count or parameter text does not convert.";
inline constexpr const char* methodAborted = "The method was ended by faulty input data.";
inline constexpr const char* methodCancelled = "The method was cancelled before it completed.";
inline constexpr const char* noRepetition = "No repetition completed.";

}  // namespace ferrolith::analysis_text
