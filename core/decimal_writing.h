// SPDX-License-Identifier: GPL-3.0-or-later
// The one place a double becomes a decimal text: the seam between the core and a C++ library.
#pragma once

#include <charconv>

namespace hengtiebao {

// Writes a finite double into [first, last) as std::to_chars(first, last, value,
// std::chars_format::general, 15) does, which is printf's "%.15g" in the C locale: the exact
// binary value rounded to 15 significant digits, an exact tie to the even digit; trailing zeros
// dropped; plain form for decimal exponents -4 to 14, otherwise exponent form with a sign and at
// least two digits. Never the locale.
//   writeDecimal(157) -> "157"            writeDecimal(1e-5) -> "1e-05"
//   writeDecimal(0.1 + 0.2) -> "0.3"      writeDecimal(999999999999999.9) -> "1e+15"
//   writeDecimal(-0.0) -> "-0"            writeDecimal(1234567890123455) -> "1.23456789012346e+15"
// A buffer too small gives errc::value_too_large and ptr == last; 24 characters always suffice.
// Infinity and NaN have no number text: errc::invalid_argument, ptr == first.
// The standard library's to_chars where its tables cost nothing that counts; where the program is
// downloaded (emscripten), its own exact digits, without the 100 KB of tables: CMake picks.
std::to_chars_result writeDecimal(char* first, char* last, double value);

}  // namespace hengtiebao
