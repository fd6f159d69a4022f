#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace ferrolith::reliability {

// How a sampling method tells how far it has come and how its caller stops it. update is called
// after each block (importance sampling) or repetition (independent Monte Carlo) with those done
// of their total, never twice at once, on whichever thread finished it; it must not touch the
// method's figures. cancel is read before each block: once it is true no further block starts
// and the method ends cancelled, without figures.
struct MethodProgress {
    std::function<void(std::int64_t done, std::int64_t total)> update;
    const std::atomic<bool>* cancel = nullptr;

    bool cancelled() const { return cancel != nullptr && cancel->load(); }
};

}  // namespace ferrolith::reliability
