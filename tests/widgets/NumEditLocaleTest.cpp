// The numeric field under the user's own locale: this test runs once under
// a '.'-decimal and once under a ','-decimal locale (see CMakeLists.txt).

#include "tests/widgets/NumEditHost.h"

#include <clocale>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct LocaleCase {
    QString decimal, thousands;
};

LocaleCase Expected()
{
    const QByteArray lc = qgetenv("LC_ALL");
    if (lc.startsWith("de"))
        return {",", "."};
    return {".", ","};
}

TEST(NumEditLocale, SeparatorsComeFromTheUsersLocale)
{
    const LocaleCase e = Expected();
    CNumEdit f;
    EXPECT_EQ(f.m_decimalSep, e.decimal);
    EXPECT_EQ(f.m_thousandSep, e.thousands);
    // The C library runs in the user's locale too, yet numbers read and
    // print the same.
    if (qgetenv("LC_ALL").startsWith("de")) {
        EXPECT_STRNE(std::setlocale(LC_NUMERIC, nullptr), "C");
    }
}

TEST(NumEditLocale, TypedSeparatorsReadAndRewriteInTheUsersForm)
{
    const LocaleCase e = Expected();
    struct Case {
        QString typed;
        QString shown;  // after leaving the field
    };
    const Case cases[] = {
        {"1" + e.decimal + "5", "1" + e.decimal + "5000"},
        {"1" + e.thousands + "234" + e.decimal + "5", "1234" + e.decimal + "5000"},
        {"1" + e.thousands + "5", "15" + e.decimal + "0000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        NumEditHost host;
        RunModal(host, [&] {
            ClickAndType(host, IDC_BPM, c.typed);
            EXPECT_EQ(Text(host, IDC_BPM), c.typed);  // thousands separators stay while typing
            QTest::keyClick(Widget(host, IDC_BPM), Qt::Key_Tab);
            EXPECT_EQ(Text(host, IDC_BPM), c.shown);
        });
    }
}

TEST(NumEditLocale, TheOtherSeparatorOfThePairIsNoDecimalPoint)
{
    const LocaleCase e = Expected();
    NumEditHost host;
    RunModal(host, [&] {
        // The decimal separator goes in once; a comma typed in a '.' locale is
        // a thousands separator, and vice versa.
        ClickAndType(host, IDC_BPM, "2" + e.decimal + "5" + e.decimal);
        EXPECT_EQ(Text(host, IDC_BPM), "2" + e.decimal + "5");
        CString text = Text(host, IDC_BPM);
        EXPECT_EQ(host.m_field.ParseValue(text), 2.5);
    });
}

}  // namespace
