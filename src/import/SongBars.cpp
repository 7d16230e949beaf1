#include "import/SongBars.h"

#include <algorithm>

namespace fretlo {

namespace {

constexpr int CellsPerWhole = 16;
constexpr int CommonTimeCells = 16;
constexpr int MaxDenominatorPower = 6;  // a sixty-fourth

int CellOfTick(int64_t tick, int division) {
    const int64_t cell = (tick * 4 + division / 2) / division;
    return static_cast<int>(std::min<int64_t>(cell, 1 << 30));
}

int BarCells(const TMidiMeter& m) {
    const int den = 1 << std::clamp(m.DenominatorPower, 0, MaxDenominatorPower);
    return std::max(1, (m.Numerator * CellsPerWhole + den / 2) / den);
}

}  // namespace

std::vector<TBarSpan> LayBars(std::span<const TMidiMeter> meters, int division, int cells, int limit) {
    std::vector<TBarSpan> bars;
    size_t next = 0;
    int barCells = CommonTimeCells;
    int pos = 0;
    const auto applyDue = [&] {
        for (; next < meters.size() && CellOfTick(meters[next].Tick, division) <= pos; ++next)
            barCells = BarCells(meters[next]);
    };
    applyDue();
    while (pos < std::min(cells, limit)) {
        int end = pos + barCells;
        if (next < meters.size()) end = std::min(end, CellOfTick(meters[next].Tick, division));
        end = std::min(end, limit);
        bars.push_back({pos, end - pos});
        pos = end;
        applyDue();
    }
    return bars;
}

}  // namespace fretlo
