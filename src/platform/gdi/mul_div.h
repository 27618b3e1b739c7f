// MulDiv: a * b / c through a 64-bit product, rounded to the nearest integer
// (halves away from zero); -1 when c is 0 or the result overflows 32 bits.
#pragma once

int MulDiv(int number, int numerator, int denominator);
