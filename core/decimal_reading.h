// SPDX-License-Identifier: GPL-3.0-or-later
// The one place a decimal text becomes a double: the seam between the core and a C++ library.
#pragma once

#include <charconv>

namespace hengtiebao {

// Reads the longest decimal number at the start of [first, last) as std::from_chars does with
// std::chars_format::general: digits with an optional "." fraction and an optional exponent, no
// sign, no blanks, never the locale; correctly rounded to the nearest double, ties to even. A
// value that rounds to infinity, or a non-zero one that rounds to zero, gives
// errc::result_out_of_range, and value is then not to be used.
//   readDecimal("7.85", ...) -> 7.85, ptr after "5"
//   readDecimal("9007199254740993", ...) -> 9007199254740992 (the tie goes to the even one)
//   readDecimal("1E400", ...) -> result_out_of_range, ptr after "0"
//   readDecimal("x", ...) -> errc::invalid_argument, ptr at "x"
// The standard library's from_chars where it reads doubles; the core's own exact reader in the
// page; fast_float where the library's rounds twice (x87): CMake picks the file.
std::from_chars_result readDecimal(const char* first, const char* last, double& value);

}  // namespace hengtiebao
