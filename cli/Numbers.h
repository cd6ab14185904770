#pragma once
// Numbers to text and back for the command line, without the C library's
// locale: the forms the calculators' fields show ("%.4f", "%e", "%d") and the
// shortest text that reads back as the same double, for programs.

#include <optional>
#include <string>
#include <string_view>

namespace cli {

// A number as a user or a script writes it: optional sign, digits with at most
// one decimal point ('.' or the user's decimal separator), optional exponent.
// Anything else (spaces inside, trailing junk, "inf", "nan", hex) is no number.
// A number too large for a double reads as an infinity, so range tests refuse it.
std::optional<double> ParseNumber(std::string_view text, std::string_view decimalSep = ".");

// The field forms, with '.' as the decimal point: "%.*f", "%e", "%d".
std::string FormatFixed(double value, int precision);
std::string FormatExponent(double value);
std::string FormatInteger(int value);

// The shortest text that reads back as exactly this double ("0.1", "1e-05").
std::string FormatExact(double value);
// The same appended to out, without a string of its own (a million lines of CSV).
void AppendExact(double value, std::string& out);

// Every '.' of a number's text replaced by the user's decimal separator.
std::string WithDecimalSeparator(std::string text, std::string_view decimalSep);

// Five significant digits in the shortest of the fixed and the exponent
// forms ("0.0014", "2.8284e-05"): for a number too small for its decimals.
std::string FormatSignificant(double value);

// A number as the user typed it: the shortest text that reads back as the
// same double, with at least minDecimals decimals ("120", "439.9999",
// "0.00001"); a number that needs more than a dozen decimals gets four.
std::string FormatTyped(double value, int minDecimals);

// Whole numbers without decimals, others with four: for a load impedance.
std::string FormatWholeOrFixed(double value);

}  // namespace cli
