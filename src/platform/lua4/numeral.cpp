#include "platform/lua4/numeral.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace lua4 {

namespace {

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Skips digits from pos; returns how many there were.
std::size_t skipDigits(std::string_view text, std::size_t& pos) {
    std::size_t first = pos;
    while (pos < text.size() && isDigit(text[pos])) ++pos;
    return pos - first;
}

bool isDecimalNumeral(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    std::size_t digits = skipDigits(text, pos);
    if (pos < text.size() && text[pos] == '.') digits += skipDigits(text, ++pos);
    if (digits == 0) return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        if (skipDigits(text, pos) == 0) return false;
    }
    return pos == text.size();
}

int digitValue(char c) {
    if (isDigit(c)) return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'z' ? c - 'a' + 10 : 99;
}

}  // namespace

bool parseDecimalNumeral(std::string_view text, double& value) {
    text = trimmed(text);
    if (!isDecimalNumeral(text)) return false;
    value = std::strtod(std::string(text).c_str(), nullptr);
    return true;
}

bool parseBasedInteger(std::string_view text, int base, double& value) {
    text = trimmed(text);
    if (text.empty()) return false;
    double result = 0;
    for (char c : text) {
        int digit = digitValue(c);
        if (digit >= base) return false;
        result = result * base + digit;
    }
    value = result;
    return true;
}

}  // namespace lua4
