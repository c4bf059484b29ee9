// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one click of each calculator through the two text operations, beside a floor of
// the same run: from_chars of the input texts plus to_chars of the result at 15 digits.
#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "core/calculators.h"
#include "core/section.h"

namespace {

using namespace hengtiebao;

// The fewest steps a window could take to hand texts over: a linear look-up in a few slots.
class BenchFields : public Fields {
  public:
    BenchFields(std::vector<std::pair<std::string_view, std::u16string>> slots)
        : m_slots(std::move(slots)) {}
    std::optional<std::u16string> getText(std::string_view control) override {
        for (auto& [name, text] : m_slots) {
            if (name == control) return text;
        }
        return std::nullopt;
    }
    bool setText(std::string_view control, std::u16string_view text) override {
        for (auto& [name, slot] : m_slots) {
            if (name == control) {
                slot.assign(text);
                return true;
            }
        }
        return false;
    }

  private:
    std::vector<std::pair<std::string_view, std::u16string>> m_slots;
};

void runClick(benchmark::State& state, BenchFields fields, auto calculate) {
    for (auto _ : state) {
        Status status = calculate(fields);
        benchmark::DoNotOptimize(status);
    }
}

// from_chars of texts of the same lengths as the click's inputs, to_chars of its weight.
void runFloor(benchmark::State& state, std::vector<std::string> inputs, double weight) {
    for (auto _ : state) {
        double sum = 0;
        for (const std::string& text : inputs) {
            double value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
        char buffer[32];
        auto result =
            std::to_chars(buffer, buffer + sizeof buffer, weight, std::chars_format::general, 15);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
}

void BM_Plate(benchmark::State& s) {
    runClick(s,
             BenchFields({{"chang1", u"1000"},
                          {"chang2", u"500"},
                          {"chang3", u"10"},
                          {"Combo1", u"7.85"},
                          {"jieguo1", u""}}),
             calculatePlate);
}
void BM_PlateFloor(benchmark::State& s) {
    runFloor(s, {"1000", "500", "10", "7.85"}, 39.25);
}

void BM_RoundBar(benchmark::State& s) {
    runClick(s, BenchFields({{"yuan1", u"20"}, {"yuan2", u"1000"}, {"yuan3", u""}}),
             calculateRoundBar);
}
void BM_RoundBarFloor(benchmark::State& s) {
    runFloor(s, {"20", "1000"}, 2.4661502330603);
}

void BM_SquareBar(benchmark::State& s) {
    runClick(s, BenchFields({{"fang1", u"20"}, {"fang2", u"1000"}, {"fang3", u""}}),
             calculateSquareBar);
}
void BM_SquareBarFloor(benchmark::State& s) {
    runFloor(s, {"20", "1000"}, 3.1399999999999997);
}

void BM_HexagonBar(benchmark::State& s) {
    runClick(s, BenchFields({{"liu1", u"20"}, {"liu2", u"1000"}, {"liu3", u""}}),
             calculateHexagonBar);
}
void BM_HexagonBarFloor(benchmark::State& s) {
    runFloor(s, {"20", "1000"}, 2.7193185);
}

// The largest table, equal-leg angles: its first row, its last row, and a text in no row.
void runSection(benchmark::State& s, std::u16string model) {
    const SectionBinding& angles = sectionBindings()[0];
    runClick(s, BenchFields({{"dj1", std::move(model)}, {"dj2", u"6000"}, {"dj3", u""}}),
             [&](Fields& fields) { return calculateSection(fields, angles); });
}
void BM_SectionFirstRow(benchmark::State& s) {
    runSection(s, u"20×3");
}
void BM_SectionLastRow(benchmark::State& s) {
    runSection(s, u"200×24");
}
void BM_SectionNoRow(benchmark::State& s) {
    runSection(s, u"56×6");
}
void BM_SectionFloor(benchmark::State& s) {
    runFloor(s, {"6000"}, 427.008);
}

// Each floor after the clicks it bounds: run-benchmarks.sh pairs them by this order.
BENCHMARK(BM_Plate);
BENCHMARK(BM_PlateFloor);
BENCHMARK(BM_RoundBar);
BENCHMARK(BM_RoundBarFloor);
BENCHMARK(BM_SquareBar);
BENCHMARK(BM_SquareBarFloor);
BENCHMARK(BM_HexagonBar);
BENCHMARK(BM_HexagonBarFloor);
BENCHMARK(BM_SectionFirstRow);
BENCHMARK(BM_SectionLastRow);
BENCHMARK(BM_SectionNoRow);
BENCHMARK(BM_SectionFloor);

}  // namespace

BENCHMARK_MAIN();
