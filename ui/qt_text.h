// SPDX-License-Identifier: GPL-3.0-or-later
// The control table's texts as the toolkit's strings.
#pragma once

#include <QString>
#include <string_view>

namespace hengtiebao {

inline QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Control names are UTF-8 (ASCII in practice).
inline QString toQString(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace hengtiebao
