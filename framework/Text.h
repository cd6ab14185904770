#pragma once
// Number <-> text conversions of the C library in the "C" locale, whatever
// locale the process runs in: '.' is the only decimal point they know.

#include "framework/Core.h"

// Reads the longest leading number as strtod does: leading white space, an
// optional sign, digits with an optional '.', an optional exponent (also
// "inf" and "nan"). A text without a leading number gives 0.0.
double StringToDouble(const CString& text);

// Reads a leading whole number as strtol does; 0 without digits. Values
// beyond the range of int saturate at INT_MIN / INT_MAX.
int StringToInt(const CString& text);

// printf("%.<precision>f"), "%e" and "%d" in the "C" locale.
CString FormatFixedC(double value, int precision);
CString FormatExponentC(double value);
// The shortest fixed form ('.' as the point) that reads back as the same
// number, with at least minDecimals decimals.
CString FormatShortestFixedC(double value, int minDecimals);
CString FormatIntegerC(int value);

// The directory of the running executable, found from its real path.
CString ExecutableDirectory();
