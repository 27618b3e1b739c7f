// Strings that count as numbers in Lua 4.0: decimal numerals only (with
// fraction and exponent), optionally signed and surrounded by spaces. No
// hexadecimal, no "inf" or "nan".
#pragma once

#include <string_view>

namespace lua4 {

bool parseDecimalNumeral(std::string_view text, double& value);

// An unsigned integer written in base 2..36 (letters in either case),
// optionally surrounded by spaces.
bool parseBasedInteger(std::string_view text, int base, double& value);

}  // namespace lua4
