#include "calc/wave/WaveModel.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr double kSpeedOfSoundCmPerS = 34330.0;     // 343.3 m/s
constexpr double kFeetPerCm = 0.03280839895013123;  // the double nearest to 1 / 30.48
constexpr double kMsPerS = 1000.0;
constexpr double kHalf = 0.5;

constexpr unsigned char kCR = 0x0D;
constexpr unsigned char kLF = 0x0A;

// A table line is "<number>;<name>". Later ';' belong to the name; a line
// without ';' is all name, with an empty number.
struct TableLine {
    std::u16string_view number;
    std::u16string_view name;
};

TableLine SplitLine(std::u16string_view line)
{
    const std::size_t separator = line.find(u';');
    if (separator == std::u16string_view::npos)
        return {{}, line};
    return {line.substr(0, separator), line.substr(separator + 1)};
}

// The number a line's number part starts with, as the C library's strtod
// reads it in the "C" locale, whatever locale the process runs in: leading
// white space, a sign, digits with a '.', an exponent (also hex, "inf" and
// "nan"), up to the first character that cannot continue the number; 0
// when there is none. Any character outside ASCII ends a number anyway, so
// it becomes a byte that can take no part in one.
double LeadingNumber(std::u16string_view text)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t unit : text)
        bytes.push_back(unit < 0x80 ? char(unit) : '\x7f');
    return strtod_l(bytes.c_str(), nullptr, c);
}

// The frequency a line's number part gives, or none. A number that is not
// finite, is 0 or below, or lies outside the frequency field's range is no
// frequency of a note, and would put into the field what no key could. A
// line without ';' has an empty number part, which reads as 0.
std::optional<double> FrequencyOf(std::u16string_view number)
{
    const double value = LeadingNumber(number);
    if (!(value >= CWaveModel::kMinFrequency && value <= CWaveModel::kMaxFrequency))
        return std::nullopt;
    return value;
}

// Simple case folding, enough to compare a typed name with a table name
// exactly as a full Unicode comparison would. Table names hold U+0000..U+00FF
// only (one byte each); these fold as Unicode folds them, and so do the six
// characters beyond that fold onto one of theirs. Every other character
// stays as it is: its folding lands outside what a table name folds to, and
// so does the character itself, so it matches no table name either way.
char16_t FoldCase(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return char16_t(c + 0x20);
    switch (c) {
    case 0x00B5: return 0x03BC;  // MICRO SIGN -> GREEK SMALL LETTER MU
    case 0x039C: return 0x03BC;  // GREEK CAPITAL LETTER MU
    case 0x0178: return 0x00FF;  // LATIN CAPITAL LETTER Y WITH DIAERESIS
    case 0x017F: return u's';    // LATIN SMALL LETTER LONG S
    case 0x1E9E: return 0x00DF;  // LATIN CAPITAL LETTER SHARP S
    case 0x212A: return u'k';    // KELVIN SIGN
    case 0x212B: return 0x00E5;  // ANGSTROM SIGN
    default: return c;
    }
}

bool SameNameIgnoringCase(std::u16string_view tableName, std::u16string_view typed)
{
    if (tableName.size() != typed.size())
        return false;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (FoldCase(tableName[i]) != FoldCase(typed[i]))
            return false;
    }
    return true;
}

}  // namespace

CWaveModel::CWaveModel() : m_pLines(std::make_unique<std::vector<std::u16string>>()) {}

CWaveModel::~CWaveModel() = default;

void CWaveModel::LoadTable(const unsigned char* bytes, std::size_t count) { *m_pLines = ParseTable(bytes, count); }

std::vector<std::u16string> CWaveModel::ParseTable(const unsigned char* bytes, std::size_t count)
{
    std::vector<std::u16string> lines;
    // A line ends once both a CR and an LF have been seen since the last line
    // end, in either order; bytes between them join the line. Bytes after the
    // last completed line are dropped.
    std::u16string line;
    bool crSeen = false;
    bool lfSeen = false;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char byte = bytes[i];
        if (byte == kCR) {
            crSeen = true;
        } else if (byte == kLF) {
            lfSeen = true;
        } else {
            // Latin-1: each byte is the code point of the same value, so
            // 0x80..0xFF do not turn into U+FF80..U+FFFF by sign extension.
            line.push_back(char16_t(byte));
        }
        if (crSeen && lfSeen) {
            lines.push_back(std::move(line));
            line.clear();
            crSeen = false;
            lfSeen = false;
        }
    }
    return lines;
}

void CWaveModel::Compute()
{
    // Each step is one rounded operation on the stored result of the one
    // before; the last bits of the results depend on this order.
    if (m_frequency > 0)
        m_period = 1.0 / m_frequency;
    m_wavelengthCm = m_period * kSpeedOfSoundCmPerS;
    m_wavelengthFt = m_wavelengthCm * kFeetPerCm;
    m_periodMs = m_period * kMsPerS;
    m_halfWavelengthCm = m_wavelengthCm * kHalf;
    m_halfWavelengthFt = m_wavelengthFt * kHalf;
    m_halfPeriodMs = m_periodMs * kHalf;
}

void CWaveModel::SetNote(const std::u16string& note) { m_note = note; }

void CWaveModel::FindNote()
{
    m_note.clear();
    // No early exit: when several lines carry the frequency, the last one names it.
    for (const std::u16string& line : *m_pLines) {
        const TableLine parts = SplitLine(line);
        const std::optional<double> frequency = FrequencyOf(parts.number);
        if (frequency && *frequency == m_frequency)
            m_note = parts.name;
    }
}

bool CWaveModel::FindFrequency()
{
    for (const std::u16string& line : *m_pLines) {
        const TableLine parts = SplitLine(line);
        if (!SameNameIgnoringCase(parts.name, m_note))
            continue;
        // A line without a frequency is no note: look on.
        if (const std::optional<double> frequency = FrequencyOf(parts.number)) {
            m_frequency = *frequency;
            Compute();
            return true;
        }
    }
    return false;
}
