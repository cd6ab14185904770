#include "cli/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace cli {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the grammar; leaves in out the text with '.' as its decimal point
// and without a leading '+', which from_chars does not take.
bool Normalise(std::string_view text, std::string_view decimalSep, std::string& out)
{
    out.clear();
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            out += '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            out += text[i++];
            digits = true;
        } else if (!point && text[i] == '.') {
            out += '.';
            ++i;
            point = true;
        } else if (!point && !decimalSep.empty() && text.substr(i, decimalSep.size()) == decimalSep) {
            out += '.';
            i += decimalSep.size();
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            out += text[i++];
        bool exponentDigits = false;
        while (i < text.size() && IsDigit(text[i])) {
            out += text[i++];
            exponentDigits = true;
        }
        if (!exponentDigits)
            return false;
    }
    return i == text.size();
}

template <class... Args>
std::string ToChars(double value, Args... args)
{
    char buffer[400];  // "%.4f" of the largest double needs 314
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, args...);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text, std::string_view decimalSep)
{
    thread_local std::string normalised;
    if (!Normalise(text, decimalSep, normalised))
        return std::nullopt;
    double value = 0.0;
    const char* first = normalised.data();
    const char* last = first + normalised.size();
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        // strtod tells overflow (an infinity) from underflow (zero).
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
        value = strtod_l(normalised.c_str(), nullptr, c);
        if (std::isnan(value))
            return std::nullopt;
    } else if (result.ec != std::errc() || result.ptr != last) {
        return std::nullopt;
    }
    return value;
}

std::string FormatFixed(double value, int precision) { return ToChars(value, std::chars_format::fixed, precision); }

std::string FormatExponent(double value) { return ToChars(value, std::chars_format::scientific, 6); }

std::string FormatInteger(int value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatSignificant(double value) { return ToChars(value, std::chars_format::general, 5); }

std::string FormatTyped(double value, int minDecimals)
{
    constexpr int kMostDecimals = 12;
    std::string text = ToChars(value, std::chars_format::fixed);
    const std::size_t point = text.find('.');
    const int decimals = point == std::string::npos ? 0 : int(text.size() - point - 1);
    if (decimals > kMostDecimals)
        return FormatFixed(value, 4);
    if (decimals < minDecimals)
        return FormatFixed(value, minDecimals);
    return text;
}

std::string FormatExact(double value) { return ToChars(value); }

void AppendExact(double value, std::string& out)
{
    char buffer[32];  // the shortest form of any double takes at most 24
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, std::size_t(result.ptr - buffer));
}

std::string WithDecimalSeparator(std::string text, std::string_view decimalSep)
{
    if (decimalSep == ".")
        return text;
    const std::size_t point = text.find('.');
    if (point != std::string::npos)
        text.replace(point, 1, decimalSep);
    return text;
}

std::string FormatWholeOrFixed(double value)
{
    if (value == std::trunc(value) && std::fabs(value) <= std::numeric_limits<int>::max())
        return FormatInteger(int(value));
    return FormatFixed(value, 4);
}

}  // namespace cli
