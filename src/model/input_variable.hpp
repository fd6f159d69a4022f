#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ferrolith {

// The seven random inputs, in the order every per-variable array, control and report line uses.
enum class InputVariable : std::int16_t {
    BeamLength,
    BeamWidth,
    BeamDepth,
    AllowableStress,
    PointLoadLocation,
    PointLoadValue,
    UdlValue,
};

inline constexpr int inputVariableCount = 7;

struct InputVariableInfo {
    InputVariable variable;
    std::string_view name;         // the enumerator's name, as the headless driver accepts it
    std::string_view caption;      // frame caption in the window
    std::string_view defaultText;  // initial parameter text
    std::string_view reportLabel;  // start of its line in the report's input echo
};

inline constexpr std::array<InputVariableInfo, inputVariableCount> inputVariables{{
    {InputVariable::BeamLength, "BeamLength", "Beam Length (m)", "4,0.05", "Beam Length: ("},
    {InputVariable::BeamWidth, "BeamWidth", "Beam Width (mm)", "75,10", "Beam Width: ("},
    {InputVariable::BeamDepth, "BeamDepth", "Beam Depth (mm)", "225,10", "Beam Depth: ("},
    {InputVariable::AllowableStress, "AllowableStress", "Beam Allowable Stress (N/mm2)", "20,3",
     "Beam Allowable Stress: ("},
    {InputVariable::PointLoadLocation, "PointLoadLocation", "Point Load Location (m)", "2,0.25",
     "Point Load Location: ("},
    {InputVariable::PointLoadValue, "PointLoadValue", "Point Load Value (kN)", "10,1.5",
     "Point Load Value: ("},
    {InputVariable::UdlValue, "UdlValue", "UDL Value (kN/m)", "4,2.5", "UDL Value: ("},
}};

inline constexpr const InputVariableInfo& info(InputVariable v) {
    return inputVariables[static_cast<std::size_t>(v)];
}

// The items of every distribution list, in list order. The last is a placeholder that samples
// as Normal.
inline constexpr std::array<std::string_view, 6> distributionNames{
    "Normal", "Log-Normal", "Gamma", "Gumbel", "Poisson", "Others to follow"};

// "A, B, C": the variables' names or the list's items, as messages and help texts name them.
std::string variableNameList();
std::string distributionNameList();
// The list's items each in double quotes, as JSON writes them.
std::string quotedDistributionNames();

}  // namespace ferrolith
