// The numeric field's decisions and conversions, without a window.

#include "tests/support/DialogHarness.h"
#include "widgets/NumEdit.h"

#include <gtest/gtest.h>

namespace {

constexpr char32_t kBack = 8;

// Gives a field fixed separators, whatever the user's locale.
void UseSeparators(CNumEdit& f, const char16_t* decimal, const char16_t* thousands)
{
    f.m_decimalSep = QString::fromUtf16(decimal);
    f.m_thousandSep = QString::fromUtf16(thousands);
}

TEST(NumEditFilter, ProspectiveText)
{
    struct Case {
        const char* text;
        int start, end;
        char32_t key;
        const char* expected;
    };
    const Case cases[] = {
        {"", 0, 0, '5', "5"},                                       // empty field
        {"", 0, 0, kBack, ""},                                      // Backspace in an empty field
        {"123", 3, 3, '4', "1234"},                                 // caret at the end
        {"123", 3, 3, kBack, "12"},   {"123", 0, 0, '4', "4123"},   // caret before the first character
        {"123", 0, 0, kBack, "123"},  {"123", 1, 1, '4', "1423"},   // caret in the middle
        {"123", 2, 2, kBack, "13"},   {"12345", 1, 4, '9', "195"},  // a selection is replaced
        {"12345", 1, 4, kBack, "15"}, {"12345", 0, 5, '7', "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CNumEdit::ProspectiveText(QString::fromLatin1(c.text), c.start, c.end, c.key),
                  QString::fromLatin1(c.expected));
    }
}

TEST(NumEditFilter, KeysByClassAndRange)
{
    struct Case {
        const char* text;
        int start, end;
        char32_t key;
        double min, max, scale;
        bool accepted;
    };
    const Case cases[] = {
        {"", 0, 0, '0', 1, 1000, 1, false},    // 0 below the minimum
        {"", 0, 0, '-', 1, 1000, 1, false},    // "-" reads as 0
        {"", 0, 0, '.', -1e7, 1e7, 1, false},  // no separator into an empty field
        {"5", 1, 1, '.', -1e7, 1e7, 1, true},
        {"5.2", 3, 3, '.', -1e7, 1e7, 1, false},  // one decimal separator
        {"5.2", 1, 2, '.', -1e7, 1e7, 1, false},  // ... even when the one there is selected
        {"5", 1, 1, ',', -1e7, 1e7, 1, true},     // the thousands separator, anywhere
        {"5", 0, 0, ',', -1e7, 1e7, 1, true},
        {"5", 1, 1, 'e', -1e7, 1e7, 1, false},  // letters, '+', spaces
        {"5", 1, 1, '+', -1e7, 1e7, 1, false},
        {"5", 1, 1, ' ', -1e7, 1e7, 1, false},
        {"5", 1, 1, '-', 1, 1000, 1, true},       // "5-" reads as 5
        {"100", 1, 1, kBack, 1, 1000, 1, false},  // "00" reads as 0
        {"100", 3, 3, '0', 1, 1000, 1, true},     // equality passes
        {"100", 3, 3, '1', 1, 1000, 1, false},
        {"1000000", 7, 7, '1', -1e10, 1e10, 1e3, false},  // 10000001 * 1e3 > 1e10
        {"1000000", 7, 7, '0', -1e10, 1e10, 1e3, true},   // 1e7 * 1e3 == 1e10
        {"", 0, 0, kBack, 1, 1000, 1, true},              // an empty result is always allowed
        {"5", 1, 1, kBack, 1, 1000, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " + " + char(c.key));
        CNumEdit f;
        UseSeparators(f, u".", u",");
        f.m_min = c.min;
        f.m_max = c.max;
        f.m_scale = c.scale;
        EXPECT_EQ(f.AcceptsKey(QString::fromLatin1(c.text), c.start, c.end, c.key), c.accepted);
    }
}

TEST(NumEditFilter, RangeChecksCanBeSwitchedOff)
{
    CNumEdit f;
    UseSeparators(f, u".", u",");
    f.m_min = 1;
    f.m_max = 10;
    f.m_checkMin = false;
    EXPECT_TRUE(f.AcceptsKey("", 0, 0, '0'));
    EXPECT_FALSE(f.AcceptsKey("1", 1, 1, '1'));
    f.m_checkMax = false;
    EXPECT_TRUE(f.AcceptsKey("1", 1, 1, '1'));
}

TEST(NumEditFilter, TextModeTakesAnyThreeCharacters)
{
    CNumEdit f;
    UseSeparators(f, u".", u",");
    f.m_textMode = true;
    EXPECT_TRUE(f.AcceptsKey("", 0, 0, 'C'));
    EXPECT_TRUE(f.AcceptsKey("C", 1, 1, '#'));
    EXPECT_TRUE(f.AcceptsKey("C#", 2, 2, ' '));
    EXPECT_FALSE(f.AcceptsKey("C#0", 3, 3, '0'));
    EXPECT_TRUE(f.AcceptsKey("C#0", 1, 2, 'x'));  // replacing keeps three
    EXPECT_TRUE(f.AcceptsKey("C#0", 3, 3, kBack));
    EXPECT_FALSE(f.AcceptsKey("C#", 2, 2, U'\U0001F3B5'));  // two UTF-16 units make four
    EXPECT_TRUE(f.AcceptsKey("C", 1, 1, U'\U0001F3B5'));
}

TEST(NumEditConversions, ParseAndFormatWithEitherSeparatorPair)
{
    struct Case {
        const char16_t* decimal;
        const char16_t* thousands;
        const char16_t* text;
        double value;
    };
    const Case cases[] = {
        {u".", u",", u"1,5", 15.0},  // the thousands separator is dropped
        {u".", u",", u"1.5", 1.5},
        {u",", u".", u"1.5", 15.0},
        {u",", u".", u"1,5", 1.5},  // ',' always reads as a decimal point
        {u",", u"\u00a0", u"1\u00a0234,5", 1234.5},
        {u",", u"\u202f", u"1\u202f234,5", 1234.5},  // narrow no-break space
        {u",", u"\u202f", u"1 234,5", 1234.5},       // typed with a plain space
        {u".", u"", u"1,5", 1.5},                    // no thousands separator: nothing removed
        {u"\u066b", u"\u066c", u"12\u066b5", 12.5},  // a separator that is neither '.' nor ','
        {u".", u",", u"-5-", -5.0},
        {u".", u",", u"5-", 5.0},
        {u".", u",", u"-", 0.0},
        {u".", u",", u"", 0.0},
        {u".", u",", u"--5", 0.0},
    };
    for (const Case& c : cases) {
        CNumEdit f;
        UseSeparators(f, c.decimal, c.thousands);
        QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(f.ParseValue(text), c.value);
    }

    CNumEdit comma;
    UseSeparators(comma, u",", u".");
    EXPECT_EQ(comma.FormatFixed(1234.5), QStringLiteral("1234,5000"));  // never grouped
    EXPECT_EQ(comma.FormatExponent(150.0), QStringLiteral("1,500000e+02"));
    EXPECT_EQ(comma.FormatInteger(-42), QStringLiteral("-42"));
    comma.m_precision = 2;
    EXPECT_EQ(comma.FormatFixed(261.625565), QStringLiteral("261,63"));
    EXPECT_EQ(comma.FormatFixed(-0.5), QStringLiteral("-0,50"));

    QString integer = QStringLiteral("1.234.567");
    EXPECT_EQ(comma.ParseInteger(integer), 1234567);
    EXPECT_EQ(integer, QStringLiteral("1234567"));
    QString huge = QStringLiteral("99999999999999999999");
    EXPECT_EQ(comma.ParseInteger(huge), std::numeric_limits<int>::max());
}

TEST(NumEditConversions, AnEmptyDecimalSeparatorFallsBackToAPoint)
{
    CNumEdit f;
    EXPECT_FALSE(f.m_decimalSep.isEmpty());
    f.m_decimalSep = QStringLiteral(".");
    EXPECT_EQ(f.FormatFixed(2.5), QStringLiteral("2.5000"));
}

// Nothing may crash or hang on odd texts; the values stay what strtod reads.
TEST(NumEditConversions, OddTextsAreHarmless)
{
    CNumEdit f;
    UseSeparators(f, u".", u",");
    const QString odd[] = {
        QString(100000, QChar('9')),
        QString(5000, QChar(',')),
        QString(5000, QChar('-')) + QStringLiteral("5"),
        QStringLiteral("\U0001F3B5\U0001F3B5"),
        QString(1, QChar(0xD800)),  // a lone surrogate
        QString(QChar(0)) + QStringLiteral("5"),
    };
    for (const QString& text : odd) {
        QString t = text;
        const double v = f.ParseValue(t);
        EXPECT_FALSE(v != v);
        EXPECT_FALSE(f.InRange(text) && std::abs(v) > 1e7);
        (void)f.AcceptsKey(text, 0, int(text.size()), '5');
        (void)f.AcceptsKey(text, int(text.size()), int(text.size()), kBack);
    }
    QString t = QString(100000, QChar('9'));
    EXPECT_EQ(f.ParseValue(t), std::numeric_limits<double>::infinity());
}

}  // namespace
