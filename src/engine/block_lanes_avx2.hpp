#pragma once

// A block of sixty-four samples in lanes, as the design engine and independent Monte Carlo draw
// them: four packs of the tally's sixteen side by side, each operation over its sixteen registers
// in turn, so that the library kernels' calls do not wait for one another's results. What both
// do with a drawn block: find its first fault, and add its inputs to the tally pack by pack.
// Include only in translation units compiled for AVX2.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "engine/tally_lanes_avx2.hpp"
#include "model/distribution_formulas.hpp"
#include "model/draw_input.hpp"
#include "simd/pack.hpp"

namespace ferrolith::avx2 {

constexpr int packRegisters = simd::TallyLanes::registers;
constexpr int packLanes = 4 * packRegisters;
constexpr int blockRegisters = 4 * packRegisters;
constexpr int blockLanes = 4 * blockRegisters;
using Block = simd::Pack<blockRegisters>;
using BlockDraw = formulas::VariableDraw<Block>;
using BlockDraws = std::array<BlockDraw, inputVariableCount>;

// Lanes 0 to count - 1 as bits.
inline std::uint64_t lowLanes(int count) {
    return count == blockLanes ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
}

// The first faulty lane and input of a block.
struct BlockFault {
    int lane = blockLanes;
    int variable = 0;
    std::string_view message;

    bool found() const { return lane < blockLanes; }
    void note(std::uint64_t laneMask, int v, std::string_view m) {
        if (laneMask == 0) return;
        const int first = __builtin_ctzll(laneMask);
        if (first < lane) *this = {first, v, m};
    }
};

// The first faulty draw among the valid lanes, in sample order, then input order.
inline BlockFault firstFault(const BlockDraws& draws, std::uint64_t validMask) {
    BlockFault fault;
    for (int i = 0; i < inputVariableCount; ++i) {
        const BlockDraw& d = draws[static_cast<std::size_t>(i)];
        if (d.poissonFault) fault.note(validMask, i, poissonFaultMessage);
        fault.note(simd::bits(d.overflow) & validMask, i, dataFaultMessage);
    }
    return fault;
}

// The block's inputs into the tally pack by pack, the lanes past the last valid sample as +0.0;
// safeLanes holds the valid samples that did not fail.
inline void tallyBlock(simd::TallyLanes& tally, BlockDraws& d, const Block& resistance,
                       const Block& effect, std::uint64_t safeLanes, int valid) {
    if (valid < blockLanes) {
        const auto inBlock = simd::firstLanes<blockRegisters>(valid);
        for (BlockDraw& x : d) x.value = simd::keepWhere(inBlock, x.value);
    }
    const auto failed = simd::notGreater(resistance, effect);
    const std::uint64_t failedLanes = ~safeLanes & lowLanes(valid);
    for (int p = 0; p * packLanes < valid; ++p) {
        std::array<simd::TallyLanes::Lanes, inputVariableCount> pack;
        for (std::size_t i = 0; i < inputVariableCount; ++i)
            pack[i] = simd::part<packRegisters>(d[i].value, p * packRegisters);
        tally.add(pack, simd::part<packRegisters>(failed, p * packRegisters),
                  static_cast<unsigned>(failedLanes >> (p * packLanes)) & 0xFFFFu,
                  std::min(packLanes, valid - p * packLanes));
    }
}

}  // namespace ferrolith::avx2
