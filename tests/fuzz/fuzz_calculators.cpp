// SPDX-License-Identifier: GPL-3.0-or-later
// Every calculator on arbitrary field texts: a failure writes nothing; a success writes exactly
// one well-formed number text, into its own frame's result box.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/calculators.h"
#include "core/number_text.h"
#include "core/section.h"
#include "fuzz_input.h"
#include "tests/memory_fields.h"

namespace {

using namespace hengtiebao;

struct Frame {
    Status (*calculate)(Fields&);
    std::vector<std::string> inputs;
    std::string result;
};

void check(const std::vector<std::string>& inputs, const std::string& result,
           const std::u16string& text, auto&& calculate) {
    testing::MemoryFields fields{};
    const auto texts = fuzz::fieldTexts(text, inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
        fields.texts[inputs[i]] = texts[i];
    const Status status = calculate(fields);
    for (const std::string& read : fields.reads) {  // read a control that is not its frame's
        if (std::find(inputs.begin(), inputs.end(), read) == inputs.end()) std::abort();
    }
    if (status) {
        if (!fields.writes.empty()) std::abort();  // a failure wrote something
        return;
    }
    if (fields.writes != std::vector<std::string>{result}) std::abort();
    const std::u16string& written = fields.texts[result];
    const auto value = readNumber(written);
    if (!value || writeNumber(*value) != written) std::abort();  // not a well-formed number text
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::u16string text = fuzz::utf16(data + 1, size - 1);
    static const Frame frames[] = {
        {calculatePlate, {"chang1", "chang2", "chang3", "Combo1"}, "jieguo1"},
        {calculateRoundBar, {"yuan1", "yuan2"}, "yuan3"},
        {calculateSquareBar, {"fang1", "fang2"}, "fang3"},
        {calculateHexagonBar, {"liu1", "liu2"}, "liu3"},
    };
    const std::size_t pick = data[0] % 8;
    if (pick < 4) {
        const Frame& frame = frames[pick];
        check(frame.inputs, frame.result, text, frame.calculate);
    } else {
        const SectionBinding& binding = sectionBindings()[pick - 4];
        check({std::string(binding.model), std::string(binding.length)},
              std::string(binding.result), text,
              [&](Fields& fields) { return calculateSection(fields, binding); });
    }
    return 0;
}
