#pragma once

// The fixed texts of the charts that the results window and the calculation record share: the
// axes' titles and the names of the series both draw alike.
namespace ferrolith::chart_text {

inline constexpr const char* samplesAxis = "samples (log scale)";
inline constexpr const char* pfAxis = "Pf";
inline constexpr const char* pfLogAxis = "Pf (log scale)";
inline constexpr const char* pfSeries = "Pf";
inline constexpr const char* wilsonSeries = "95% Wilson band";

inline constexpr const char* momentAxis = "kN m";
inline constexpr const char* countAxis = "samples";

inline constexpr const char* designBetaAxis = "beta (FORM)";
// After the input's caption: "Beam Depth (mm), first number".
inline constexpr const char* designValueAxis = ", first number";
inline constexpr const char* designCurveSeries = "FORM beta";
// Before the target index: "target 3.80".
inline constexpr const char* designTargetSeries = "target ";
inline constexpr const char* designFoundSeries = "found";

}  // namespace ferrolith::chart_text
