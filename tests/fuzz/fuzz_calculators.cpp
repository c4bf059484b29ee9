// Every calculator on arbitrary field texts: a failure writes nothing; a success writes exactly
// one well-formed number text, into its own frame's result box.
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/calculators.h"
#include "core/number_text.h"
#include "core/section.h"
#include "fuzz_input.h"

namespace {

using namespace hengtiebao;

class RecordingFields : public Fields {
  public:
    std::optional<std::u16string> getText(std::string_view control) override {
        auto it = texts.find(std::string(control));
        if (it == texts.end()) std::abort();  // read a control that is not its frame's
        return it->second;
    }
    bool setText(std::string_view control, std::u16string_view text) override {
        writes.emplace_back(std::string(control), std::u16string(text));
        return true;
    }
    std::map<std::string, std::u16string> texts;
    std::vector<std::pair<std::string, std::u16string>> writes;
};

struct Frame {
    Status (*calculate)(Fields&);
    std::vector<std::string> inputs;
    std::string result;
};

void check(const std::vector<std::string>& inputs, const std::string& result,
           const std::u16string& text, auto&& calculate) {
    RecordingFields fields;
    const auto texts = fuzz::fieldTexts(text, inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
        fields.texts[inputs[i]] = texts[i];
    const Status status = calculate(fields);
    if (status) {
        if (!fields.writes.empty()) std::abort();  // a failure wrote something
        return;
    }
    if (fields.writes.size() != 1 || fields.writes[0].first != result) std::abort();
    const std::u16string& written = fields.writes[0].second;
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
