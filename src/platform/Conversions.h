#pragma once
// The Basic conversions the program's rules are written in.

#include <cstdint>
#include <string>
#include <string_view>

namespace zelwiz {

// Val: the number at the start of the text (blanks, tabs and line feeds skipped, as the classic
// Val does, also between digits; "&H" and "&O" prefixes), 0 when there is none.
double Val(std::string_view text);

// Strict conversions: trimmed text that must be a whole number (a decimal part is rounded to
// even). Not a number: error 13 (type mismatch); outside the type's range: error 6 (overflow).
std::int16_t CInt(std::string_view text);
std::int32_t CLng(std::string_view text);
// A double rounded to even, with error 6 outside the 16- or 32-bit range.
std::int16_t CIntNumber(double value);
std::int32_t CLngNumber(double value);

// IsNumeric: the trimmed text is a number (sign, digits, decimal point, exponent).
bool IsNumeric(std::string_view text);

// CBool of a text: "True" / "False" in any letter case, or a number (non-zero is true);
// anything else is error 13.
bool CBool(std::string_view text);
// CStr of a boolean: "True" or "False".
std::string BoolText(bool value);

// Trim, LTrim, RTrim: blanks (spaces) only; tabs and other white space stay.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);

std::string UCase(std::string_view text);

// Hex of a 32-bit value: upper-case digits, no leading zeros, two's complement for negatives.
std::string Hex(std::int32_t value);

}  // namespace zelwiz
