#pragma once

#include <optional>
#include <variant>

#include "reliability/method_result.hpp"

// A method's own figures, for tests that look into them: none for another method.
namespace ferrolith::test {

inline const reliability::ImportanceSamplingResult* samplingOf(const reliability::MethodResult& r) {
    const auto* a = std::get_if<reliability::ImportanceAnswer>(&r.answer);
    return a && a->sampling ? &*a->sampling : nullptr;
}

inline const reliability::StreamMonteCarloResult* streamsOf(const reliability::MethodResult& r) {
    const auto* a = std::get_if<reliability::StreamsAnswer>(&r.answer);
    return a && a->streams ? &*a->streams : nullptr;
}

inline const reliability::SormResult* sormOf(const reliability::MethodResult& r) {
    const auto* a = std::get_if<reliability::SormAnswer>(&r.answer);
    return a && a->sorm ? &*a->sorm : nullptr;
}

}  // namespace ferrolith::test
