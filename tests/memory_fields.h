// SPDX-License-Identifier: GPL-3.0-or-later
// An in-memory stand-in for the window's controls, recording every write.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/fields.h"

namespace hengtiebao::testing {

class MemoryFields : public Fields {
  public:
    MemoryFields(std::initializer_list<std::pair<const std::string, std::u16string>> texts)
        : texts(texts) {}

    std::optional<std::u16string> getText(std::string_view control) override {
        reads.emplace_back(control);
        if (broken.count(std::string(control))) return std::nullopt;
        auto it = texts.find(std::string(control));
        if (it == texts.end()) return std::nullopt;
        return it->second;
    }

    bool setText(std::string_view control, std::u16string_view text) override {
        if (broken.count(std::string(control))) return false;
        writes.emplace_back(control);
        texts[std::string(control)] = std::u16string(text);
        return true;
    }

    std::map<std::string, std::u16string, std::less<>> texts;
    std::set<std::string> broken;     // controls whose text the toolkit cannot get or set
    std::vector<std::string> reads;   // every getText, in order
    std::vector<std::string> writes;  // every successful setText, in order
};

}  // namespace hengtiebao::testing
