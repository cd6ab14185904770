// The Delay calculator driven by real keys and clicks.

#include "calc/delay/DelayDlg.h"
#include "app/ChooserDlg.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Numbers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <vector>

using namespace testing_support;

namespace {

constexpr int kResults[] = {IDC_BAR44, IDC_BAR34, IDC_HALF, IDC_QUARTER, IDC_EIGHTH, IDC_SIXTEENTH, IDC_THIRTY_SECOND};

QString Fixed(double ms)
{
    QString text = QString::number(ms, 'f', 4);
    return text.replace(QLatin1Char('.'), Sep());
}

// What the seven result fields show for a tempo, in the order of kResults.
QStringList Shown(CDialog& dlg) { return Texts(dlg, kResults); }

QStringList ExpectedFixed(double bpm)
{
    const double q = 60000.0 / bpm;
    return {Fixed(q * 4), Fixed(q * 3), Fixed(q * 2), Fixed(q), Fixed(q * 0.5), Fixed(q * 0.25), Fixed(q * 0.125)};
}

TEST(DelayDialog, TypingATempoFillsEveryResult)
{
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_BPM, QStringLiteral("120"));
        EXPECT_EQ(Shown(dlg), ExpectedFixed(120.0));
        EXPECT_EQ(Text(dlg, IDC_QUARTER), "500" + Sep() + "0000");
        EXPECT_EQ(Text(dlg, IDC_THIRTY_SECOND), "62" + Sep() + "5000");
    });
}

TEST(DelayDialog, EveryKeystrokeRecomputes)
{
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_BPM, QStringLiteral("1"));
        EXPECT_EQ(Shown(dlg), ExpectedFixed(1.0));
        EXPECT_EQ(Text(dlg, IDC_BAR44), "240000" + Sep() + "0000");
        QTest::keyClicks(Widget(dlg, IDC_BPM), QStringLiteral("000"));
        EXPECT_EQ(Text(dlg, IDC_BPM), QStringLiteral("1000"));
        EXPECT_EQ(Text(dlg, IDC_QUARTER), "60" + Sep() + "0000");
        EXPECT_EQ(Text(dlg, IDC_THIRTY_SECOND), "7" + Sep() + "5000");
    });
}

TEST(DelayDialog, RoundValuesSwitchesAllSevenAtOnce)
{
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_BPM, QStringLiteral("120"));
        QTest::mouseClick(Widget(dlg, IDC_ROUND), Qt::LeftButton);
        EXPECT_EQ(Shown(dlg), QStringList({"2000", "1500", "1000", "500", "250", "125", "63"}));
        QTest::mouseClick(Widget(dlg, IDC_ROUND), Qt::LeftButton);
        EXPECT_EQ(Shown(dlg), ExpectedFixed(120.0));
    });
}

TEST(DelayDialog, RoundingIsHalfUp)
{
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        // 1000 BPM: the thirty-second note, 7.5 ms, rounds up to 8.
        ClickAndType(dlg, IDC_BPM, QStringLiteral("1000"));
        QTest::mouseClick(Widget(dlg, IDC_ROUND), Qt::LeftButton);
        EXPECT_EQ(Shown(dlg), QStringList({"240", "180", "120", "60", "30", "15", "8"}));
    });
}

TEST(DelayDialog, KeysThatLeaveTheRangeAreRefused)
{
    struct Case {
        const char* keys;
        const char* text;  // what the field holds afterwards
    };
    const Case cases[] = {
        {"0", ""},          // 0 is below 1
        {"-", ""},          // a lone minus reads as 0
        {"a", ""},          // not a number key
        {"1001", "100"},    // 1001 is above 1000
        {"10000", "1000"},  // 1000 itself is allowed
        {"99-", "99-"},     // junk after the number is admitted while the number is in range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        CDelayDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_BPM, QString::fromLatin1(c.keys));
            EXPECT_EQ(Text(dlg, IDC_BPM), QString::fromLatin1(c.text));
            const QString text = QString::fromLatin1(c.text);
            EXPECT_EQ(Shown(dlg),
                      text.isEmpty()
                          ? QStringList(7, QString())
                          : ExpectedFixed(text.toDouble() ? text.toDouble() : QString(text).remove('-').toDouble()));
        });
    }
}

TEST(DelayDialog, ARefusedKeyPutsTheCaretWhereTheSelectionBegan)
{
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_BPM, QStringLiteral("100"));
        QLineEdit* bpm = Edit(dlg, IDC_BPM);
        bpm->setCursorPosition(1);
        // Deleting the 1 of 100 would leave 00, which reads as 0.
        QTest::keyClick(bpm, Qt::Key_Backspace);
        EXPECT_EQ(bpm->text(), QStringLiteral("100"));
        EXPECT_EQ(bpm->cursorPosition(), 1);
    });
}

TEST(DelayDialog, EmptyingTheTempoEmptiesTheResults)
{
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_BPM, QStringLiteral("120"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(Widget(dlg, IDC_BPM), Qt::Key_Backspace);
        EXPECT_EQ(Shown(dlg), QStringList(7, QString()));
        QTest::mouseClick(Widget(dlg, IDC_ROUND), Qt::LeftButton);
        EXPECT_EQ(Shown(dlg), QStringList(7, QString()));
    });
}

// The field's menu and a screen reader reach the tempo without a typed key:
// the same range test applies, and an accepted change recomputes.
TEST(DelayDialog, TheFieldsMenuAndScreenReadersEditTheTempoAsTypingDoes)
{
    auto menu = [](const char* pasted, std::vector<const char*> items) {
        return [=](QWidget* bpm) {
            QGuiApplication::clipboard()->setText(QString::fromUtf8(pasted));
            for (const char* item : items)
                ASSERT_TRUE(ChooseFromContextMenu(bpm, QString::fromUtf8(item))) << item;
        };
    };
    auto reader = [](const char* text) {
        return [=](QWidget* bpm) { AccessibleEditor(bpm)->replaceText(0, 3, QString::fromUtf8(text)); };
    };
    struct Case {
        const char* what;
        std::function<void(QWidget*)> act;
        const char* tempo;  // afterwards
        double bpm;         // the results shown, 0 for none
    };
    const Case cases[] = {
        // Before: the tempo was empty and the results still said 120.
        {"menu Select All, Delete", menu("", {"Select All", "Delete"}), "", 0},
        // Before: the results still said 120.
        {"menu Select All, Paste 60", menu("60", {"Select All", "Paste"}), "60", 60},
        // Before: abc99999 stood in the tempo field.
        {"menu Paste abc99999", menu("abc99999", {"Select All", "Paste"}), "120", 120},
        {"menu Paste 5000, out of range", menu("5000", {"Select All", "Paste"}), "120", 120},
        {"screen reader writes 90", reader("90"), "90", 90},
        {"screen reader writes 0, out of range", reader("0"), "120", 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CDelayDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_BPM, QStringLiteral("120"));
            c.act(Widget(dlg, IDC_BPM));
            EXPECT_EQ(Text(dlg, IDC_BPM), QString::fromUtf8(c.tempo));
            EXPECT_EQ(Shown(dlg), c.bpm ? ExpectedFixed(c.bpm) : QStringList(7, QString()));
        });
    }
}

TEST(DelayDialog, LeavingTheTempoRewritesItWithoutRecalculating)
{
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_BPM, QStringLiteral("60") + Sep() + QStringLiteral("00009"));
        ASSERT_EQ(Text(dlg, IDC_BPM), "60" + Sep() + "00009");
        const QStringList forTyped = ExpectedFixed(60.00009);
        ASSERT_EQ(Shown(dlg), forTyped);
        ASSERT_NE(forTyped, ExpectedFixed(60.0001));
        QTest::keyClick(Widget(dlg, IDC_BPM), Qt::Key_Tab);
        EXPECT_EQ(Text(dlg, IDC_BPM), "60" + Sep() + "0001");
        EXPECT_EQ(Shown(dlg), forTyped);
    });
}

TEST(DelayDialog, EnterAndDeleteChangeNothingAndDoNotClose)
{
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_BPM, QStringLiteral("120"));
        Edit(dlg, IDC_BPM)->setCursorPosition(0);
        QTest::keyClick(Widget(dlg, IDC_BPM), Qt::Key_Return);
        QTest::keyClick(Widget(dlg, IDC_BPM), Qt::Key_Enter);
        QTest::keyClick(Widget(dlg, IDC_BPM), Qt::Key_Delete);
        EXPECT_TRUE(dlg.IsRunning());
        EXPECT_EQ(Text(dlg, IDC_BPM), QStringLiteral("120"));
    });
}

TEST(DelayDialog, ATappedResultIsRewrittenInFixedFormWhenLeft)
{
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_BPM, QStringLiteral("120"));
        QTest::mouseClick(Widget(dlg, IDC_ROUND), Qt::LeftButton);
        ClickAndType(dlg, IDC_QUARTER, QStringLiteral("9"));  // read-only: typing changes nothing
        EXPECT_EQ(Text(dlg, IDC_QUARTER), QStringLiteral("500"));
        QTest::mouseClick(Widget(dlg, IDC_BPM), Qt::LeftButton);
        EXPECT_EQ(Text(dlg, IDC_QUARTER), "500" + Sep() + "0000");
        EXPECT_EQ(Text(dlg, IDC_EIGHTH), QStringLiteral("250"));
    });
}

TEST(DelayDialog, TheChooserOpensItAndEveryOpeningStartsEmpty)
{
    CChooserDlg chooser;
    RunModal(chooser, [&] {
        for (int opening = 0; opening < 2; ++opening) {
            EXPECT_TRUE(OpenFromChooser(chooser, IDC_DELAY, [&](CDialog& delay) {
                EXPECT_FALSE(chooser.IsWindowEnabled());
                EXPECT_EQ(Text(delay, IDC_BPM), QString());
                ClickAndType(delay, IDC_BPM, QStringLiteral("120"));
                EXPECT_EQ(Text(delay, IDC_QUARTER), "500" + Sep() + "0000");
                delay.EndDialog(IDOK);
            }));
            EXPECT_TRUE(chooser.IsWindowEnabled());
        }
    });
}

}  // namespace
