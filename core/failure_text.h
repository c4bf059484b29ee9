// SPDX-License-Identifier: GPL-3.0-or-later
// The words of a failure and the field it sends the user to: one wording for the window's message
// box and the page beside it, with no toolkit's strings.
#pragma once

#include <string>
#include <string_view>

#include "core/failure.h"

namespace hengtiebao {

// What the user reads for a failure: the frame and the field as the window labels them, and
// what to do about it.
//   NotANumber on yuan2, ""             -> 请输入圆钢的长度。
//   NotANumber on yuan2, "1ooo"         -> 圆钢的长度“1ooo”不是数字。请输入数字，如 1000 或 12.5。
//   FloatingPointFault on yuan3         -> 圆钢的重量太大，无法计算。请检查输入的数字。
//   UnknownModel on dj1, "20x3", "20×3" -> 等边角钢规格“20x3”不在列表中。
//                                          是否改用列表中的“20×3”计算？
//   UnknownModel on dj1, "56×6"         -> 等边角钢规格“56×6”不在列表中。请从列表中选择。
// A typed text is quoted with its first 30 UTF-16 units and "…", never half a character.
std::u16string failureText(const Failure& failure);

// The button that takes a suggestion, "" when the failure offers none.
//   UnknownModel on dj1, "20x3", "20×3" -> 改用“20×3”
std::u16string suggestionChoice(const Failure& failure);

// The control the user corrects next, "" for none: the field at fault, or for a weight too large
// the first text box of its frame (the length in the section frames).
//   NotANumber on yuan2 -> "yuan2";  FloatingPointFault on dj3 -> "dj2";  ToolkitError -> ""
std::string_view fieldToCorrect(const Failure& failure);

}  // namespace hengtiebao
