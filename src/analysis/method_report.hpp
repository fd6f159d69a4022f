#pragma once

#include <string>

#include "reliability/method_result.hpp"

namespace ferrolith {

// The plain-text report of a method other than the design run ("\n" line ends): the inputs as
// typed, the method's figures and FORM's design point, input by input.
std::string methodReport(const reliability::MethodResult& result);

}  // namespace ferrolith
