#include "foundation/RealFormat.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace brio {

namespace {

constexpr int maxChars = 64;
constexpr double unreadable = 1.0;

std::optional<char>& separatorOverride() {
    static std::optional<char> separator;
    return separator;
}

char localeSeparator() {
    locale_t locale = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) return '.';
    const char* radix = ::nl_langinfo_l(RADIXCHAR, locale);
    char separator = (radix != nullptr && std::strlen(radix) == 1) ? radix[0] : '.';
    ::freelocale(locale);
    return separator;
}

// Fraction digits of the fixed pattern for a magnitude, or -1 for the scientific pattern.
int fixedFractionDigits(float magnitude) {
    if (magnitude >= 100.0f && magnitude < 1000.0f) return 1;
    if (magnitude >= 10.0f && magnitude < 100.0f) return 2;
    if (magnitude >= 1.0f && magnitude < 10.0f) return 3;
    if (magnitude >= 0.1f && magnitude < 1.0f) return 4;
    if (magnitude >= 0.009999999f && magnitude < 0.1f) return 5;
    return -1;
}

// Drops trailing zeros of a fraction written with '.', and the '.' itself if nothing remains.
std::string trimFraction(std::string digits) {
    if (digits.find('.') == std::string::npos) return digits;
    size_t end = digits.find_last_not_of('0');
    if (digits[end] == '.') --end;
    digits.erase(end + 1);
    return digits;
}

std::string formatFixed(double value, int fractionDigits) {
    char buffer[maxChars];
    auto result =
        std::to_chars(buffer, buffer + maxChars, value, std::chars_format::fixed, fractionDigits);
    return trimFraction(std::string(buffer, result.ptr));
}

// "1.234e+03" becomes "1.234e+3": trimmed mantissa, exponent without leading zeros.
std::string formatScientific(double value) {
    char buffer[maxChars];
    auto result = std::to_chars(buffer, buffer + maxChars, value, std::chars_format::scientific, 3);
    std::string text(buffer, result.ptr);
    size_t e = text.find('e');
    if (e == std::string::npos) return text;  // inf or nan
    std::string exponent = text.substr(e + 2);
    size_t firstDigit = std::min(exponent.find_first_not_of('0'), exponent.size() - 1);
    return trimFraction(text.substr(0, e)) + "e" + text[e + 1] + exponent.substr(firstDigit);
}

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Copies a run of digits; returns how many.
size_t copyDigits(const std::string& text, size_t& i, std::string& out) {
    size_t start = i;
    while (i < text.size() && isDigit(text[i])) out += text[i++];
    return i - start;
}

// Checks the whole text against the number grammar with `separator` and rewrites it in the form
// std::from_chars reads ('.' as separator, no '+', no blanks).
bool normalise(const std::string& text, char separator, std::string& out) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i++] == '-') out += '-';
    }
    size_t digits = copyDigits(text, i, out);
    if (i < text.size() && text[i] == separator) {
        ++i;
        out += '.';
        digits += copyDigits(text, i, out);
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        out += 'e';
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
        if (copyDigits(text, i, out) == 0) return false;
    }
    while (i < text.size() && isBlank(text[i])) ++i;
    return i == text.size();
}

bool convert(const std::string& text, char separator, double& value) {
    std::string number;
    if (!normalise(text, separator, number)) return false;
    double parsed = 0.0;
    const char* end = number.data() + number.size();
    auto result = std::from_chars(number.data(), end, parsed);
    if (result.ec != std::errc() || result.ptr != end) return false;
    value = parsed;
    return true;
}

}  // namespace

char decimalSeparator() {
    std::optional<char>& separator = separatorOverride();
    if (!separator) separator = localeSeparator();
    return *separator;
}

void setDecimalSeparator(char separator) {
    separatorOverride() = separator;
}

std::string formatReal(double value) {
    if (value == 0.0) return "0";
    // Magnitudes beyond the float range (and NaN) take the scientific pattern; converting them
    // to float would be undefined.
    double magnitude = std::fabs(value);
    float single = magnitude <= FLT_MAX ? static_cast<float>(magnitude) : HUGE_VALF;
    int fractionDigits = fixedFractionDigits(single);
    std::string text =
        fractionDigits < 0 ? formatScientific(value) : formatFixed(value, fractionDigits);
    size_t point = text.find('.');
    if (point != std::string::npos) text[point] = decimalSeparator();
    return text;
}

double parseReal(const std::string& text) {
    char separator = decimalSeparator();
    double value = 0.0;
    if (convert(text, separator, value)) return value;
    std::string other = text;
    size_t at = other.find('.');
    if (at != std::string::npos) {
        other[at] = ',';
    } else if ((at = other.find(',')) != std::string::npos) {
        other[at] = '.';
    } else {
        return unreadable;
    }
    return convert(other, separator, value) ? value : unreadable;
}

}  // namespace brio
