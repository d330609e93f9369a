#include "platform/Conversions.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/ErrorInfo.h"

namespace zelwiz {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses a whole trimmed text as a decimal number; false when it is not one.
bool ParseNumber(std::string_view text, double* out) {
    size_t i = 0;
    const size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < n && IsDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < n && IsDigit(text[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    *out = std::strtod(std::string(text).c_str(), nullptr);
    return true;
}

bool ParseHexOrOctal(std::string_view text, double* out) {
    if (text.size() < 3 || text[0] != '&')
        return false;
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    const int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
    if (base == 0)
        return false;
    std::uint64_t value = 0;
    for (size_t i = 2; i < text.size(); ++i) {
        const int c = std::toupper(static_cast<unsigned char>(text[i]));
        int d = IsDigit(static_cast<char>(c)) ? c - '0'
                : (c >= 'A' && c <= 'F')      ? c - 'A' + 10
                                              : 99;
        if (d >= base)
            return false;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFull)
            return false;
    }
    // &H literals are 32-bit and wrap to negative, as in Basic.
    *out = static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    return true;
}

bool ToNumber(std::string_view text, double* out) {
    const std::string trimmed = Trim(text);
    return ParseNumber(trimmed, out) || ParseHexOrOctal(trimmed, out);
}

double RoundToEven(double v) {
    return std::nearbyint(v);
}  // default rounding mode: to nearest even

}  // namespace

double Val(std::string_view text) {
    std::string compact;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            compact.push_back(c);
    }
    if (compact.size() >= 2 && compact[0] == '&') {
        std::string digits = compact.substr(0, 2);
        for (size_t i = 2;
             i < compact.size() && std::isxdigit(static_cast<unsigned char>(compact[i])); ++i) {
            digits.push_back(compact[i]);
        }
        double v = 0;
        return ParseHexOrOctal(digits, &v) ? v : 0.0;
    }
    size_t i = 0;
    const size_t n = compact.size();
    if (i < n && (compact[i] == '+' || compact[i] == '-'))
        ++i;
    while (i < n && IsDigit(compact[i]))
        ++i;
    if (i < n && compact[i] == '.') {
        ++i;
        while (i < n && IsDigit(compact[i]))
            ++i;
    }
    size_t end = i;
    if (i < n &&
        (compact[i] == 'e' || compact[i] == 'E' || compact[i] == 'd' || compact[i] == 'D')) {
        size_t j = i + 1;
        if (j < n && (compact[j] == '+' || compact[j] == '-'))
            ++j;
        if (j < n && IsDigit(compact[j])) {
            while (j < n && IsDigit(compact[j]))
                ++j;
            compact[i] = 'e';
            end = j;
        }
    }
    double v = 0;
    return ParseNumber(std::string_view(compact).substr(0, end), &v) ? v : 0.0;
}

std::int16_t CIntNumber(double value) {
    const double r = RoundToEven(value);
    if (!(r >= -32768.0 && r <= 32767.0))
        Raise(kErrOverflow);
    return static_cast<std::int16_t>(r);
}

std::int32_t CLngNumber(double value) {
    const double r = RoundToEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        Raise(kErrOverflow);
    return static_cast<std::int32_t>(r);
}

std::int16_t CInt(std::string_view text) {
    double v = 0;
    if (!ToNumber(text, &v))
        Raise(kErrTypeMismatch);
    return CIntNumber(v);
}

std::int32_t CLng(std::string_view text) {
    double v = 0;
    if (!ToNumber(text, &v))
        Raise(kErrTypeMismatch);
    return CLngNumber(v);
}

bool IsNumeric(std::string_view text) {
    double v = 0;
    return ToNumber(text, &v);
}

bool CBool(std::string_view text) {
    const std::string t = UCase(Trim(text));
    if (t == "TRUE")
        return true;
    if (t == "FALSE")
        return false;
    double v = 0;
    if (!ToNumber(t, &v))
        Raise(kErrTypeMismatch);
    return v != 0.0;
}

std::string BoolText(bool value) {
    return value ? "True" : "False";
}

std::string LTrim(std::string_view text) {
    size_t start = text.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string() : std::string(text.substr(start));
}

std::string RTrim(std::string_view text) {
    size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string Trim(std::string_view text) {
    return LTrim(RTrim(text));
}

std::string UCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string Hex(std::int32_t value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<std::uint32_t>(value));
    return buf;
}

}  // namespace zelwiz
