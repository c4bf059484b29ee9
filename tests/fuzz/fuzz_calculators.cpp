// SPDX-License-Identifier: GPL-3.0-or-later
// Every calculator on arbitrary field texts: a failure writes nothing; a success writes exactly
// one well-formed number text, into its own frame's result box.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/frames.h"
#include "core/number_text.h"
#include "fuzz_input.h"
#include "tests/memory_fields.h"

namespace {

using namespace hengtiebao;

void check(const CalculatorFrame& frame, const std::u16string& text) {
    const std::vector<std::string> inputs(frame.inputs.begin(), frame.inputs.end());
    const std::string result(frame.result);
    testing::MemoryFields fields{};
    const auto texts = fuzz::fieldTexts(text, inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
        fields.texts[inputs[i]] = texts[i];
    const Status status = frame.calculate(fields);
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
    const auto frames = calculatorFrames();
    check(frames[data[0] % frames.size()], text);
    return 0;
}
