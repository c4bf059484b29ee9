// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the page from its templates and the window's control table, run by the build: the
// calculators' frames with their captions, labels, fields, lists, buttons and result boxes into
// the body of index.html, and the frames' colours after the rules of style.css. Static HTML, so
// that the first paint shows the first calculator before any script has run.
//   page index.html style.css dist/index.html dist/style.css
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/controls.h"
#include "core/frames.h"

namespace hengtiebao {
namespace {

std::optional<std::string> readFile(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return std::nullopt;
    std::string text;
    char block[4096];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
        text.append(block, got);
    const bool read = !std::ferror(file);
    std::fclose(file);
    if (!read) return std::nullopt;
    return text;
}

bool writeFile(const char* path, std::string_view text) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A table text as HTML text or attribute value: UTF-8, with the characters that would end one
// escaped.
std::string html(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        switch (c) {
            case U'&': out += "&amp;"; break;
            case U'<': out += "&lt;"; break;
            case U'>': out += "&gt;"; break;
            case U'"': out += "&quot;"; break;
            default: appendUtf8(out, c);
        }
    }
    return out;
}

std::string ascii(std::string_view name) {
    return std::string(name);
}

const Control* control(std::string_view name) {
    for (const Control& c : controlTable())
        if (c.name == name) return &c;
    return nullptr;
}

// The name a screen reader gives a control, as the window's accessible names: "钢板长度".
std::string spoken(std::string_view name) {
    return html(spokenName(name));
}

// A box's visible label without its blanks and colon: "d" for " d  ：".
std::u16string labelWords(std::string_view name) {
    const auto words = fieldWords(name);
    const Control* label = words ? control(words->label) : nullptr;
    std::u16string text;
    if (label)
        for (char16_t c : label->text)
            if (c != u' ' && c != u'：') text += c;
    return text;
}

// A box's accessible name holds the words of its visible label, so that a user of speech input
// can say what is seen: "d 圆钢直径" beside "钢板长度", whose label "长度" is in it already.
std::string boxName(std::string_view name) {
    const std::string said = spoken(name);
    const std::string label = html(labelWords(name));
    return said.find(label) == std::string::npos ? label + " " + said : said;
}

// The rows of a frame's input boxes, in its reading order.
std::vector<const Control*> inputsOf(const CalculatorFrame& page) {
    std::vector<const Control*> inputs;
    for (std::string_view name : page.inputs)
        inputs.push_back(control(name));
    return inputs;
}

// The visible label of a control, tied to it; nothing for a control the window labels by its
// place alone (the round bar's result beside its button).
std::string labelFor(std::string_view name) {
    const auto words = fieldWords(name);
    const Control* label = words ? control(words->label) : nullptr;
    if (!label) return {};
    return "<label id=\"" + ascii(label->name) + "\" for=\"" + ascii(name) + "\">" +
           html(label->text) + "</label>";
}

// Where a failure shows; the box it describes is named by it, and the page says it aloud through
// one live region of its own.
std::string failureSlot(std::string_view name) {
    return "<p class=\"failure\" id=\"" + ascii(name) + "-failure\" hidden></p>";
}

// A combo box's whole list beside its box, the box's own text marked (the placeholder when the
// text is none of the list): a browser's suggestions would show only the items that match what
// is typed.
std::string listBeside(const Control& c, const std::vector<std::u16string_view>& items) {
    const std::string name = ascii(c.name);
    std::string out = "<select id=\"" + name + "-list\" class=\"list\" aria-label=\"" +
                      spoken(c.name) + "列表\"><option value=\"\" disabled>列表</option>";
    for (std::u16string_view item : items)
        out += "<option" + std::string(item == c.text ? " selected" : "") + ">" + html(item) +
               "</option>";
    return out + "</select>";
}

// A text box or a combo box: numbers take the phone's decimal keyboard, model texts the full one
// (∠20x3, 槽16a). A combo box offers its list and takes any typed text, as the window's does.
// The keyboard's enter key says "next" but in the frame's LAST box, where it computes. A failure
// shows between the label and the box: the keyboard rises under the focused box, never over it.
std::string field(const Control& c, bool last) {
    const std::string name = ascii(c.name);
    const std::vector<std::u16string_view> items = comboItems(c.name);
    const bool numbers =
        items.empty() || std::all_of(items.begin(), items.end(), [](std::u16string_view item) {
            return item.find_first_not_of(u"0123456789.") == std::u16string_view::npos;
        });
    const std::string input =
        "<input id=\"" + name + "\" name=\"" + name + "\" type=\"text\" inputmode=\"" +
        (numbers ? "decimal" : "text") + "\" value=\"" + html(c.text) + "\" aria-label=\"" +
        boxName(c.name) + "\" aria-describedby=\"" + name +
        "-failure\" autocomplete=\"off\" autocapitalize=\"off\" spellcheck=\"false\"" +
        " enterkeyhint=\"" + (last ? "go" : "next") + "\">";
    const std::string box =
        items.empty() ? input : "<div class=\"pick\">" + input + listBeside(c, items) + "</div>";
    return "<div class=\"field\">" + labelFor(c.name) + failureSlot(c.name) + box + "</div>\n";
}

// The button and the result box it fills, side by side as in the window; the result is read-only
// and said aloud by the page's live region. The button is disabled until the script has wired it: a
// tap before would submit the form, which the page's policy refuses, and be lost.
std::string answer(const CalculatorFrame& page) {
    const Control* button = control(page.button);
    std::string inputs;
    for (const Control* c : inputsOf(page))
        inputs += (inputs.empty() ? "" : " ") + ascii(c->name);
    return "<div class=\"answer\"><button id=\"" + ascii(page.button) +
           "\" type=\"submit\" disabled>" + html(button->text) + "</button>" +
           labelFor(page.result) + "<output id=\"" + ascii(page.result) + "\" for=\"" + inputs +
           "\" aria-label=\"" + spoken(page.result) + "\"></output></div>\n";
}

// One calculator: a tab's panel holding a form, so that Enter in its last field computes it.
// The first is in view before the script runs; the script shows the others on their tab.
std::string frame(const CalculatorFrame& page, bool shown) {
    const Control* c = control(page.frame);
    const std::string name = ascii(page.frame);
    std::string out = "<section id=\"" + name + "\" class=\"frame\" role=\"tabpanel\" " +
                      "aria-labelledby=\"" + name + "-caption\"" + (shown ? "" : " hidden") +
                      ">\n<h2 id=\"" + name + "-caption\">" + html(c->text) +
                      "</h2>\n<form novalidate>\n<div class=\"fields\">\n";
    const std::vector<const Control*> inputs = inputsOf(page);
    for (const Control* input : inputs)
        out += field(*input, input == inputs.back());
    return out + "</div>\n" + answer(page) + failureSlot(page.frame) + "\n</form>\n</section>\n";
}

// A tab a frame, named by its stock ("钢板"), the word the window's failure reports use.
std::string tabs() {
    std::string out = "<div class=\"tabs\" role=\"tablist\">\n";
    for (const CalculatorFrame& page : calculatorFrames()) {
        const bool first = &page == &calculatorFrames().front();
        const std::string name = ascii(page.frame);
        out += "<button type=\"button\" role=\"tab\" id=\"" + name + "-tab\" aria-controls=\"" +
               name + "\" aria-selected=\"" + (first ? "true" : "false") + "\" tabindex=\"" +
               (first ? "0" : "-1") + "\">" + html(fieldWords(page.button)->stock) + "</button>\n";
    }
    return out + "</div>\n";
}

// The window's notes frame, its labels in table order.
std::string notes() {
    std::string out = "<footer id=\"Frame9\" class=\"notes\">\n";
    for (const Control& c : controlTable())
        if (c.parent == "Frame9")
            out += "<p id=\"" + ascii(c.name) + "\">" + html(c.text) + "</p>\n";
    return out + "</footer>\n";
}

std::string body() {
    // The tabs inside the main part, whose landmark a screen reader's user jumps to.
    std::string out = "<main>\n" + tabs();
    for (const CalculatorFrame& page : calculatorFrames())
        out += frame(page, &page == &calculatorFrames().front());
    return out + "</main>\n" + notes();
}

// sRGB's relative luminance, as the web's contrast ratio defines it.
double luminance(const Rgb& colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

std::string css(const Rgb& colour) {
    return "rgb(" + std::to_string(colour.red) + " " + std::to_string(colour.green) + " " +
           std::to_string(colour.blue) + ")";
}

// Each frame's colour for its caption band and tab, the text on it in black or white, whichever
// contrasts more, and the colour halfway to white behind its fields: the labels beside the boxes
// then read at well over 7:1, also in sunlight. Frames the window leaves uncoloured keep the
// stylesheet's face colour.
std::string colours() {
    std::string out = "\n/* The frames' colours, from the window's control table. */\n";
    for (const CalculatorFrame& page : calculatorFrames()) {
        const Control* c = control(page.frame);
        if (!c->background) continue;
        const Rgb& colour = *c->background;
        const double light = luminance(colour);
        const bool blackInk = (light + 0.05) / 0.05 >= 1.05 / (light + 0.05);
        const Rgb tint{(colour.red + 255) / 2, (colour.green + 255) / 2, (colour.blue + 255) / 2};
        const std::string name = ascii(page.frame);
        out += "#" + name + ", #" + name + "-tab { --frame: " + css(colour) +
               "; --ink: " + (blackInk ? "#000" : "#fff") + "; --tint: " + css(tint) + "; }\n";
    }
    return out;
}

// The template's marker replaced by the text; false when the template has no such marker.
bool fill(std::string& page, std::string_view marker, std::string_view text) {
    const std::size_t at = page.find(marker);
    if (at == std::string::npos) return false;
    page.replace(at, marker.size(), text);
    return true;
}

}  // namespace
}  // namespace hengtiebao

int main(int argc, char** argv) {
    using namespace hengtiebao;
    if (argc != 5) {
        std::fputs("usage: page index.html style.css out/index.html out/style.css\n", stderr);
        return 2;
    }
    std::optional<std::string> page = readFile(argv[1]);
    std::optional<std::string> style = readFile(argv[2]);
    if (!page || !style) {
        std::fputs("page: cannot read the templates\n", stderr);
        return 1;
    }
    const std::string name = html(control("Label23")->text);
    if (!fill(*page, "<!-- name -->", name) || !fill(*page, "<!-- name -->", name) ||
        !fill(*page, "<!-- calculators -->", body())) {
        std::fputs("page: index.html lacks a marker\n", stderr);
        return 1;
    }
    if (!writeFile(argv[3], *page) || !writeFile(argv[4], *style + colours())) {
        std::fputs("page: cannot write the page\n", stderr);
        return 1;
    }
    return 0;
}
