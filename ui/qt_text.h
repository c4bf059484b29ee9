// SPDX-License-Identifier: GPL-3.0-or-later
// The control table's texts as the toolkit's strings.
#pragma once

#include <QString>
#include <string_view>

namespace hengtiebao {

inline QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// At most the first `units` UTF-16 units of a text, never half a character: one beyond the basic
// plane takes two units, and a cut between them would leave a lone surrogate on screen.
//   startOf(u"12𠀀", 3) -> u"12";  startOf(u"12𠀀", 4) -> u"12𠀀"
inline QString startOf(const QString& text, qsizetype units) {
    if (units > 0 && units < text.size() && text.at(units - 1).isHighSurrogate()) --units;
    return text.left(units);
}

// Control names are UTF-8 (ASCII in practice).
inline QString toQString(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace hengtiebao
