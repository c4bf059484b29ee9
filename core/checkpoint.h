// The floating-point checkpoint that ends every arithmetic step of a calculator.
#pragma once

namespace hengtiebao {

// Clears the floating-point status flags; a calculator calls it before its first conversion so
// that flags left by earlier work are not blamed on this click.
void beginArithmetic();

// True when an overflow, division by zero or invalid operation happened since beginArithmetic,
// or when the step's result is not finite. Testing the result as well as the flags keeps the
// check sound even where the optimiser moves a product across the flag test. Underflow and
// inexact results are not faults.
bool arithmeticFaulted(double stepResult);

}  // namespace hengtiebao
