// The numeric field's text functions and key filter on arbitrary input:
// a text, a selection, a key, the separators, the range, the scale and the
// mode, all taken from the fuzzer's bytes.
//
// Checked besides "no crash, no undefined behaviour":
// - a key the filter accepts leaves a text that is empty or reads, times the
//   scale, within the range (text mode: at most three characters, or shorter);
// - text accepted by paste, drop or undo obeys the same rule;
// - an edit that a key the filter accepts makes is accepted from any other
//   road (paste, undo, a screen reader) too;
// - a number written in fixed or exponent form reads back as that number;
// - the rewrite on focus loss gives the same text when done twice, and an
//   accepted text, rewritten, still reads within the range.

#include "widgets/NumEdit.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Separators of real locales; the decimal one is never empty (the field
// falls back to '.'), the thousands one may be.
const char16_t* const kDecimalSeps[] = {u".", u",", u"\u066B"};
const char16_t* const kThousandSeps[] = {u",", u".", u"\u00A0", u"\u202F", u"'", u"\u2019", u" ", u""};

// Keys worth trying often; any other code point comes from the bytes.
const char32_t kKeys[] = {'0', '1', '5', '9', '-', '.',    ',',  8,      ' ', 0xA0,   0x202F,  0x2009,
                          'e', 'E', '+', 'a', '#', 0x066B, '\'', 0x2019, 0,   0xFFFF, 0x1F600, 0xD800};

// Bounds and scales the dialogs use, and some they do not.
const double kBounds[] = {0.0,    1.0,  0.0001, 200.0,    -200.0,    1000.0, 100000.0, 1e10,
                          1.7e17, -1e7, 1e7,    HUGE_VAL, -HUGE_VAL, NAN,    1e-300};
const double kScales[] = {1.0, 1e-9, 1e-6, 1e-3, 1e3, 1e6, 1e9, 0.0, -1.0, NAN, HUGE_VAL};

double RawDouble(FuzzedDataProvider& in)
{
    const auto bits = in.ConsumeIntegral<std::uint64_t>();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

double Pick(FuzzedDataProvider& in, const double* table, std::size_t n)
{
    return in.ConsumeBool() ? table[in.ConsumeIntegralInRange<std::size_t>(0, n - 1)] : RawDouble(in);
}

CString Text(FuzzedDataProvider& in) { return QString::fromStdString(in.ConsumeRandomLengthString(48)); }

void Fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// The range test as the field's rule states it, worked out here on its own.
bool ReadsInRange(const CNumEdit& field, const CString& text)
{
    if (text.isEmpty())
        return true;
    CString t = text;
    const double v = field.ParseValue(t) * field.m_scale;
    return !(field.m_checkMax && v > field.m_max) && !(field.m_checkMin && v < field.m_min);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const CString text = Text(in);
    const CString pasted = Text(in);

    CNumEdit field;
    field.m_decimalSep =
        QString::fromUtf16(kDecimalSeps[in.ConsumeIntegralInRange<int>(0, std::size(kDecimalSeps) - 1)]);
    field.m_thousandSep =
        QString::fromUtf16(kThousandSeps[in.ConsumeIntegralInRange<int>(0, std::size(kThousandSeps) - 1)]);
    if (field.m_thousandSep == field.m_decimalSep)
        field.m_thousandSep.clear();
    field.m_textMode = in.ConsumeBool();
    field.m_checkMax = in.ConsumeBool();
    field.m_checkMin = in.ConsumeBool();
    field.m_min = Pick(in, kBounds, std::size(kBounds));
    field.m_max = Pick(in, kBounds, std::size(kBounds));
    field.m_scale = Pick(in, kScales, std::size(kScales));
    field.m_precision = in.ConsumeIntegralInRange<int>(-2, 24);
    field.m_displayMode = in.ConsumeIntegralInRange<int>(-1, 3);
    const int start = in.ConsumeIntegralInRange<int>(-2, 52);
    const int end = in.ConsumeIntegralInRange<int>(-2, 52);
    const char32_t key = in.ConsumeBool() ? kKeys[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kKeys) - 1)]
                                          : in.ConsumeIntegral<char32_t>();
    const double value = RawDouble(in);

    // The key filter.
    const CString after = CNumEdit::ProspectiveText(text, start, end, key);
    const bool accepted = field.AcceptsKey(text, start, end, key);
    if (accepted) {
        if (field.m_textMode) {
            if (after.size() > CNumEdit::kTextModeLength && after.size() > text.size())
                Fail("text mode accepted a key that makes the text longer than three characters");
        } else if (!ReadsInRange(field, after)) {
            Fail("an accepted key leaves a text out of range");
        }
    }
    if (field.InRange(after) != ReadsInRange(field, after))
        Fail("InRange disagrees with the range rule");

    // Paste, drop, undo.
    const bool pasteAccepted = field.AcceptsEditedText(text, pasted);
    if (pasteAccepted) {
        if (field.m_textMode ? pasted.size() > CNumEdit::kTextModeLength : !ReadsInRange(field, pasted))
            Fail("accepted edited text breaks the field's rule");
    }

    if (accepted && !field.m_textMode && after != text && !field.AcceptsEditedText(text, after))
        Fail("an edit a typed key makes is refused from another road");

    // A number shown reads back as itself.
    CString shown;
    if (std::isfinite(value) && std::fabs(value) < 1e15) {
        shown = field.FormatFixed(value);
        const int digits = std::clamp(field.m_precision, 0, 350);
        const double tolerance = 0.5 * std::pow(10.0, -digits) + std::fabs(value) * 1e-15;
        if (!(std::fabs(field.ParseValue(shown) - value) <= tolerance))
            Fail("a number in fixed form reads back as another");
    }
    shown = field.FormatExponent(value);
    const double back = field.ParseValue(shown);
    if (std::isfinite(value) && !(std::fabs(back - value) <= std::fabs(value) * 1e-6))
        Fail("a number in exponent form reads back as another");
    if (std::isnan(value) != std::isnan(back))
        Fail("NaN in exponent form reads back as a number");

    // The rewrite on focus loss is stable, and what the field took stays in
    // range when it is rewritten.
    struct Left {
        const CString& text;
        bool accepted;
    };
    for (const Left& left : {Left {text, false}, Left {after, accepted}, Left {pasted, pasteAccepted}}) {
        const CString once = field.DisplayForm(left.text);
        if (field.DisplayForm(once) != once)
            Fail("the rewrite on focus loss changes its own result");
        if (left.accepted && !field.m_textMode && !ReadsInRange(field, once))
            Fail("the rewrite on focus loss takes an accepted text out of range");
    }

    // Integer conversions never fail on anything.
    CString integerText = text;
    (void)field.FormatInteger(field.ParseInteger(integerText));
    return 0;
}
