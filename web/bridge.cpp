// SPDX-License-Identifier: GPL-3.0-or-later
// The page's way into the core: a calculator's click runs over the page's own fields, and its
// failure comes back in the window's words, with the field to correct and the suggestion. The
// functions that bridge_api.js wraps for the page are the only exports.
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <optional>
#include <string>
#include <vector>

#include "core/failure_text.h"
#include "core/frames.h"

namespace {

// The fields object the page gave the module: getText(name) -> string or null,
// setText(name, text) -> true when set. A text is read in two steps so that JavaScript need not
// allocate in the module's memory: its length first (-1: none), then its units. What is written
// is a result or a listed model, a few units long, passed as arguments.
// clang-format off
EM_JS(int, pageReadText, (const char* control, int length), {
    const name = String.fromCharCode(...HEAPU8.subarray(control, control + length));
    const text = Module.fields.getText(name);
    if (typeof text != "string") return -1;
    Module.readText = text;
    return text.length;
});
EM_JS(void, pageTakeText, (char16_t* units), {
    const text = Module.readText;
    for (let i = 0; i < text.length; ++i) HEAPU16[(units >> 1) + i] = text.charCodeAt(i);
    Module.readText = "";
});
EM_JS(int, pageWriteText, (const char* control, int length, const char16_t* units, int count), {
    const name = String.fromCharCode(...HEAPU8.subarray(control, control + length));
    const text = String.fromCharCode(...HEAPU16.subarray(units >> 1, (units >> 1) + count));
    return Module.fields.setText(name, text) === true;
});
// clang-format on

class PageFields final : public hengtiebao::Fields {
  public:
    std::optional<std::u16string> getText(std::string_view control) override {
        const int length = pageReadText(control.data(), static_cast<int>(control.size()));
        if (length < 0) return std::nullopt;
        std::u16string text(static_cast<std::size_t>(length), u'\0');
        pageTakeText(text.data());
        return text;
    }

    bool setText(std::string_view control, std::u16string_view text) override {
        return pageWriteText(control.data(), static_cast<int>(control.size()), text.data(),
                             static_cast<int>(text.size())) != 0;
    }
};

// Each frame's last failure: the page shows one per frame, and a suggestion left showing in one
// frame stays takeable while others are computed. The parts handed out are the last run's.
std::vector<std::optional<hengtiebao::Failure>> g_failures(hengtiebao::calculatorFrames().size());
// The failure of the frame computed last.
const std::optional<hengtiebao::Failure>* g_lastRun = &g_failures.front();
std::u16string g_out;  // the text handed out last, read by the page through hengtiebao_out

const hengtiebao::CalculatorFrame* frameNumbered(int frame) {
    const auto frames = hengtiebao::calculatorFrames();
    if (frame < 1 || frame > static_cast<int>(frames.size())) return nullptr;
    return &frames[static_cast<std::size_t>(frame - 1)];
}

// Frame N's last failure; N as frameNumbered has accepted it.
std::optional<hengtiebao::Failure>& failureOf(int frame) {
    return g_failures[static_cast<std::size_t>(frame - 1)];
}

// 0 for a result written, 1 for a failure, kept for the parts below.
template <typename Click>
int run(int frame, Click click) {
    PageFields fields;
    auto& failure = failureOf(frame);
    g_lastRun = &failure;
    failure = click(fields);
    return failure ? 1 : 0;
}

int handOut(std::u16string text) {
    g_out = std::move(text);
    return static_cast<int>(g_out.size());
}

std::u16string widened(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// The name the page knows a failure by; a kind without one fails the build.
std::string_view kindName(hengtiebao::FailureKind kind) {
    switch (kind) {
        case hengtiebao::FailureKind::NotANumber: return "NotANumber";
        case hengtiebao::FailureKind::FloatingPointFault: return "FloatingPointFault";
        case hengtiebao::FailureKind::UnknownModel: return "UnknownModel";
        case hengtiebao::FailureKind::ToolkitError: return "ToolkitError";
    }
    return {};
}

}  // namespace

extern "C" {

// Clicks frame N's button (N from 1), as the window does: 0 when its result is written, 1 for a
// failure, -1 for no such frame.
EMSCRIPTEN_KEEPALIVE int hengtiebao_calculate(int frame) {
    const hengtiebao::CalculatorFrame* page = frameNumbered(frame);
    if (!page) return -1;
    return run(frame, [page](hengtiebao::Fields& fields) { return page->calculate(fields); });
}

// The user takes the suggestion of frame N's last failure, as in the window; the result as for
// hengtiebao_calculate. -1 when that failure offered no suggestion.
EMSCRIPTEN_KEEPALIVE int hengtiebao_accept_suggestion(int frame) {
    const hengtiebao::CalculatorFrame* page = frameNumbered(frame);
    if (!page) return -1;
    const auto& last = failureOf(frame);
    if (!last || !hengtiebao::offersSuggestion(*last)) return -1;
    const hengtiebao::Failure offered = *last;
    return run(frame, [page, &offered](hengtiebao::Fields& fields) {
        return hengtiebao::takeSuggestion(fields, *page, offered);
    });
}

// The calculators' frames in their order, handed out as at hengtiebao_failure_part, one line
// each: the frame, its button, its result box and its inputs, "Frame1 Command1 jieguo1 chang1 ...".
EMSCRIPTEN_KEEPALIVE int hengtiebao_frames() {
    std::string lines;
    for (const hengtiebao::CalculatorFrame& frame : hengtiebao::calculatorFrames()) {
        if (!lines.empty()) lines += '\n';
        lines.append(frame.frame).append(" ").append(frame.button).append(" ").append(frame.result);
        for (std::string_view input : frame.inputs)
            lines.append(" ").append(input);
    }
    return handOut(widened(lines));
}

// A part of the last failure, handed out as UTF-16 at hengtiebao_out(); its length is returned.
// 0 the control at fault, 1 the control to correct, 2 the message, 3 the suggestion, 4 the words
// of the button that takes it, 5 the failure's kind ("UnknownModel"). Without a failure every
// part is "".
EMSCRIPTEN_KEEPALIVE int hengtiebao_failure_part(int part) {
    const auto& failure = *g_lastRun;
    if (!failure) return handOut({});
    switch (part) {
        case 0: return handOut(widened(failure->control));
        case 1: return handOut(widened(hengtiebao::fieldToCorrect(*failure)));
        case 2: return handOut(hengtiebao::failureText(*failure));
        case 3: return handOut(failure->suggestion);
        case 4: return handOut(hengtiebao::suggestionChoice(*failure));
        case 5: return handOut(widened(kindName(failure->kind)));
        default: return handOut({});
    }
}

EMSCRIPTEN_KEEPALIVE const char16_t* hengtiebao_out() {
    return g_out.data();
}
}
