// Number reading and formatting that never depends on the process locale.
// Reading is lenient in the manner of atoi/atof; formatting matches printf.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// atoi: leading blanks, optional sign, digits up to the first non-digit;
// no digits gives 0. Values beyond int range saturate at INT_MIN/INT_MAX.
int LenientAtoi(std::string_view text);

// atof: leading blanks, optional sign, digits with a decimal point and an
// optional exponent ("inf"/"nan" as strtod reads them); a comma ends the
// number; no number gives 0.0. consumed, if given, receives the offset just
// past the number, leading blanks included (0 when nothing was read).
double LenientAtof(std::string_view text, std::size_t* consumed = nullptr);

// Whether a field's text is one number and nothing else: blanks around it are
// allowed; empty text, a comma or trailing characters are not.
bool IsNumberText(std::string_view text);

// printf-style formats used by the program, always with a decimal point.
std::string FormatFixed(double value, int decimals);  // "%.<decimals>f" ("%lf" = 6)
std::string FormatLf(double value);                   // "%lf"
std::string FormatG(double value, int precision);     // "%.<precision>g"
std::string FormatInt(long long value);               // "%d"
