#include "framework/Text.h"

#include <QByteArray>

#include <cerrno>
#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

// The C conversions work on bytes; any character outside ASCII ends a number
// anyway, so it becomes a byte that can take no part in one.
QByteArray AsciiBytes(const CString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text)
        bytes.append(c.unicode() < 0x80 ? char(c.unicode()) : '\x7f');
    return bytes;
}

}  // namespace

double StringToDouble(const CString& text)
{
    const QByteArray bytes = AsciiBytes(text);
    return strtod_l(bytes.constData(), nullptr, CLocale());
}

int StringToInt(const CString& text)
{
    const QByteArray bytes = AsciiBytes(text);
    const long long value = strtoll_l(bytes.constData(), nullptr, 10, CLocale());
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return int(value);
}

namespace {

CString FormatC(const char* format, auto... args)
{
    const locale_t previous = uselocale(CLocale());
    char small[128];
    const int needed = std::snprintf(small, sizeof small, format, args...);
    CString result;
    if (needed >= 0 && size_t(needed) < sizeof small) {
        result = QString::fromLatin1(small, needed);
    } else if (needed >= 0) {
        QByteArray big(needed + 1, '\0');
        std::snprintf(big.data(), big.size(), format, args...);
        result = QString::fromLatin1(big.constData(), needed);
    }
    uselocale(previous);
    return result;
}

}  // namespace

CString FormatFixedC(double value, int precision)
{
    // A negative precision would mean "default" to printf; nobody wants more
    // digits than a double holds.
    if (precision < 0)
        precision = 0;
    if (precision > 350)
        precision = 350;
    return FormatC("%.*f", precision, value);
}

CString FormatExponentC(double value) { return FormatC("%e", value); }

CString FormatShortestFixedC(double value, int minDecimals)
{
    // The longest such form, that of the smallest denormal, has 327 characters.
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc())
        return FormatFixedC(value, minDecimals);
    CString text = QString::fromLatin1(buffer, int(end - buffer));
    if (!std::isfinite(value))
        return text;
    const int point = text.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(text.size()) - point - 1;
    if (decimals < minDecimals) {
        if (point < 0)
            text.append(QLatin1Char('.'));
        text.append(QString(minDecimals - decimals, QLatin1Char('0')));
    }
    return text;
}

CString FormatIntegerC(int value) { return FormatC("%d", value); }

CString FromU16(const std::u16string& text)
{
    // Copied unit for unit: fromStdU16String would take a leading U+FEFF or
    // U+FFFE for a byte-order mark and drop or swap it.
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

std::u16string ToU16(const CString& text) { return text.toStdU16String(); }
