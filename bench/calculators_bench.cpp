// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one click of each calculator through the two text operations, beside a floor of
// the same run: from_chars of the input texts plus to_chars of the result at 15 digits.
#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "core/frames.h"

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

// One click of the frame writing RESULT, its inputs holding TEXTS in their order.
void runClick(benchmark::State& state, std::string_view result, std::vector<std::u16string> texts) {
    const CalculatorFrame& frame = *frameOf(result);
    std::vector<std::pair<std::string_view, std::u16string>> slots{{frame.result, u""}};
    for (std::size_t i = 0; i < frame.inputs.size(); ++i)
        slots.emplace_back(frame.inputs[i], std::move(texts.at(i)));
    BenchFields fields(std::move(slots));
    for (auto _ : state) {
        Status status = frame.calculate(fields);
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
    runClick(s, "jieguo1", {u"1000", u"500", u"10", u"7.85"});
}
void BM_PlateFloor(benchmark::State& s) {
    runFloor(s, {"1000", "500", "10", "7.85"}, 39.25);
}

void BM_RoundBar(benchmark::State& s) {
    runClick(s, "yuan3", {u"20", u"1000"});
}
void BM_RoundBarFloor(benchmark::State& s) {
    runFloor(s, {"20", "1000"}, 2.4661502330603);
}

void BM_SquareBar(benchmark::State& s) {
    runClick(s, "fang3", {u"20", u"1000"});
}
void BM_SquareBarFloor(benchmark::State& s) {
    runFloor(s, {"20", "1000"}, 3.1399999999999997);
}

void BM_HexagonBar(benchmark::State& s) {
    runClick(s, "liu3", {u"20", u"1000"});
}
void BM_HexagonBarFloor(benchmark::State& s) {
    runFloor(s, {"20", "1000"}, 2.7193185);
}

// The largest table, equal-leg angles: its first row, its last row, and a text in no row.
void runSection(benchmark::State& s, std::u16string model) {
    runClick(s, "dj3", {std::move(model), u"6000"});
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
