#pragma once

#include <string>

namespace brio {

// The decimal separator of the user's LC_NUMERIC, read once without touching the process locale;
// '.' when it cannot be read or is not a single byte.
char decimalSeparator();

// Overrides the separator (for tests, or to behave as under a comma locale).
void setDecimalSeparator(char separator);

// At most four significant digits: fixed for magnitudes 0.009999999 to below 1000 (1 to 5
// fraction digits by decade), else scientific ("1.234e+3", "1e-3"). Trailing fraction zeros and
// a bare separator are dropped; 0 is "0". Magnitudes are compared in single precision.
std::string formatReal(double value);

// Reads a real written with either separator: first with decimalSeparator(), then with the first
// "." turned into "," (or else the first "," into "."); 1.0 when neither reads. A number is
// blanks, optional sign, digits with at most one separator, optional exponent, blanks; "inf",
// "nan" and values out of the double range do not read.
double parseReal(const std::string& text);

}  // namespace brio
