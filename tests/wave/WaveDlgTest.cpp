// The Wave calculator driven by real keys and clicks, with the shipped pitch
// table beside the test.

#include "calc/wave/WaveDlg.h"
#include "app/ChooserDlg.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Numbers.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// The result fields in the order the dialog writes them.
constexpr int kResults[] = {IDC_WAVELENGTH_FT,      IDC_WAVELENGTH_CM, IDC_HALF_WAVELENGTH_FT,
                            IDC_HALF_WAVELENGTH_CM, IDC_HALF_PERIOD,   IDC_PERIOD};

const QStringList kNoResults(6, QString());

QStringList Shown(CDialog& dlg) { return Texts(dlg, kResults); }

// The engine's six values for a frequency, each in a result field's own form.
QStringList ExpectedFor(double hz)
{
    CWaveModel model;
    model.m_frequency = hz;
    model.Compute();
    const CNumEdit field;
    QStringList texts;
    for (double value : {model.m_wavelengthFt, model.m_wavelengthCm, model.m_halfWavelengthFt, model.m_halfWavelengthCm,
                         model.m_halfPeriodMs, model.m_periodMs})
        texts << field.FormatFixed(value);
    return texts;
}

TEST(WaveDialog, EveryDigitOfAFrequencyRecomputesEveryField)
{
    CWaveDlg dlg;
    RunModal(dlg, [&] {
        QWidget* frequency = Widget(dlg, IDC_FREQUENCY);
        ClickAndType(dlg, IDC_FREQUENCY, QStringLiteral("4"));
        EXPECT_EQ(Shown(dlg), ExpectedFor(4.0));
        QTest::keyClicks(frequency, QStringLiteral("40"));
        EXPECT_EQ(Shown(dlg), ExpectedFor(440.0));
        EXPECT_EQ(Text(dlg, IDC_PERIOD), "2" + Sep() + "2727");
        EXPECT_EQ(Text(dlg, IDC_WAVELENGTH_CM), "78" + Sep() + "0227");
        EXPECT_EQ(Text(dlg, IDC_NOTE), QStringLiteral("A4"));
        // 44 Hz is no note of the table: the note field empties.
        QTest::keyClick(frequency, Qt::Key_Backspace);
        EXPECT_EQ(Shown(dlg), ExpectedFor(44.0));
        EXPECT_EQ(Text(dlg, IDC_NOTE), QString());
    });
}

TEST(WaveDialog, ATypedFrequencyShowsTheNoteOfExactlyThatValue)
{
    struct Case {
        const char* keys;  // with '.' for the user's separator
        double hz;
        const char* note;
    };
    const Case cases[] = {
        {"440", 440.0, "A4"},     {"440.0", 440.0, "A4"},  // one value with the table's 440.00
        {"261.63", 261.63, "C4"}, {"15804.27", 15804.27, "B9"}, {"261.6", 261.6, ""}, {"441", 441.0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        CWaveDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_FREQUENCY, Local(c.keys));
            EXPECT_EQ(Text(dlg, IDC_FREQUENCY), Local(c.keys));
            EXPECT_EQ(Shown(dlg), ExpectedFor(c.hz));
            EXPECT_EQ(Text(dlg, IDC_NOTE), QString::fromLatin1(c.note));
        });
    }
}

TEST(WaveDialog, ATypedNoteFillsTheFrequencyAndTheResults)
{
    struct Case {
        const char* keys;
        const char* note;       // what the note field holds afterwards
        const char* frequency;  // two decimals, '.' for the user's separator
        double hz;
    };
    const Case cases[] = {
        {"a4", "a4", "440.00", 440.0},      // found in any case, kept as typed
        {"C#4x", "C#4", "277.18", 277.18},  // a fourth character is refused
        {"b9", "b9", "15804.27", 15804.27},
        {"c0", "c0", "16.35", 16.35},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        CWaveDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_NOTE, QString::fromLatin1(c.keys));
            EXPECT_EQ(Text(dlg, IDC_NOTE), QString::fromLatin1(c.note));
            EXPECT_EQ(Text(dlg, IDC_FREQUENCY), Local(c.frequency));
            EXPECT_EQ(Shown(dlg), ExpectedFor(c.hz));
        });
    }
}

// Text from the field's menu or a screen reader is checked and looked up as
// typed text is.
TEST(WaveDialog, TheFieldsMenuAndScreenReadersEditAsTypingDoes)
{
    auto paste = [](const char* text) {
        return [=](QWidget* field) {
            QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
            ASSERT_TRUE(ChooseFromContextMenu(field, QStringLiteral("Paste")));
        };
    };
    auto reader = [](const char* text) {
        return [=](QWidget* field) { AccessibleEditor(field)->insertText(0, QString::fromUtf8(text)); };
    };
    struct Case {
        const char* what;
        int field;  // empty when acted on
        std::function<void(QWidget*)> act;
        const char* note;
        const char* frequency;  // '.' for the user's separator
        double hz;              // the results shown, 0 for none
    };
    const Case cases[] = {
        // Before: the note stood unlooked-up and nothing was computed.
        {"menu Paste a4 into the note", IDC_NOTE, paste("a4"), "a4", "440.00", 440.0},
        // Before: the note field took all eleven characters.
        {"menu Paste eleven characters into the note", IDC_NOTE, paste("C#0C#0C#0C#"), "", "", 0},
        {"menu Paste 440 into the frequency", IDC_FREQUENCY, paste("440"), "A4", "440", 440.0},
        {"menu Paste 0 into the frequency, out of range", IDC_FREQUENCY, paste("0"), "", "", 0},
        {"screen reader writes A4 into the note", IDC_NOTE, reader("A4"), "A4", "440.00", 440.0},
        {"screen reader writes 200000 into the frequency", IDC_FREQUENCY, reader("200000"), "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CWaveDlg dlg;
        RunModal(dlg, [&] {
            QTest::mouseClick(Widget(dlg, c.field), Qt::LeftButton);
            c.act(Widget(dlg, c.field));
            EXPECT_EQ(Text(dlg, IDC_NOTE), QString::fromUtf8(c.note));
            EXPECT_EQ(Text(dlg, IDC_FREQUENCY), Local(c.frequency));
            EXPECT_EQ(Shown(dlg), c.hz ? ExpectedFor(c.hz) : kNoResults);
        });
    }
}

TEST(WaveDialog, AnUnknownNoteClearsTheNumbersUntilAFrequencyIsTypedAgain)
{
    CWaveDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_NOTE, QStringLiteral("a4"));
        ASSERT_EQ(Shown(dlg), ExpectedFor(440.0));

        QTest::keyClick(Widget(dlg, IDC_NOTE), Qt::Key_Backspace);
        QTest::keyClicks(Widget(dlg, IDC_NOTE), QStringLiteral("x"));
        EXPECT_EQ(Text(dlg, IDC_NOTE), QStringLiteral("ax"));
        EXPECT_EQ(Text(dlg, IDC_FREQUENCY), QString());
        EXPECT_EQ(Shown(dlg), kNoResults);

        // Spaces count: "a4 " is no name of the table either.
        QTest::keyClick(Widget(dlg, IDC_NOTE), Qt::Key_Backspace);
        QTest::keyClicks(Widget(dlg, IDC_NOTE), QStringLiteral("4 "));
        EXPECT_EQ(Text(dlg, IDC_FREQUENCY), QString());
        EXPECT_EQ(Text(dlg, IDC_NOTE), QStringLiteral("a4 "));
        EXPECT_EQ(Shown(dlg), kNoResults);

        ClickAndType(dlg, IDC_FREQUENCY, QStringLiteral("440"));
        EXPECT_EQ(Shown(dlg), ExpectedFor(440.0));
        EXPECT_EQ(Text(dlg, IDC_NOTE), QStringLiteral("A4"));
    });
}

TEST(WaveDialog, EmptyingTheFrequencyKeepsTheResultsAndTheNote)
{
    CWaveDlg dlg;
    RunModal(dlg, [&] {
        // The last digit deleted by Backspace.
        ClickAndType(dlg, IDC_FREQUENCY, QStringLiteral("5"));
        QTest::keyClick(Widget(dlg, IDC_FREQUENCY), Qt::Key_Backspace);
        EXPECT_EQ(Text(dlg, IDC_FREQUENCY), QString());
        EXPECT_EQ(Shown(dlg), ExpectedFor(5.0));

        // The whole text selected and deleted at once; a recompute would
        // have replaced the note typed in lower case.
        ClickAndType(dlg, IDC_NOTE, QStringLiteral("a4"));
        ClickAndType(dlg, IDC_FREQUENCY, QString());
        QTest::keyClick(Widget(dlg, IDC_FREQUENCY), Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClick(Widget(dlg, IDC_FREQUENCY), Qt::Key_Backspace);
        EXPECT_EQ(Text(dlg, IDC_FREQUENCY), QString());
        EXPECT_EQ(Shown(dlg), ExpectedFor(440.0));
        EXPECT_EQ(Text(dlg, IDC_NOTE), QStringLiteral("a4"));
    });
}

TEST(WaveDialog, KeysThatLeaveTheFrequencyRangeAreRefused)
{
    struct Case {
        QString keys;
        QString text;  // what the field holds afterwards
    };
    const Case cases[] = {
        {"0", ""},             // reads as 0, below 0.0001
        {"-", ""},             // reads as 0 too
        {Sep(), ""},           // never the first key
        {"100000", "100000"},  // the upper bound itself
        {"1000000", "100000"},
        {"100001", "10000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        CWaveDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_FREQUENCY, c.keys);
            EXPECT_EQ(Text(dlg, IDC_FREQUENCY), c.text);
            EXPECT_EQ(Shown(dlg), c.text.isEmpty() ? kNoResults : ExpectedFor(c.text.toDouble()));
        });
    }
}

TEST(WaveDialog, AFrequencyBelowOneIsReachedThroughTextsInRange)
{
    CWaveDlg dlg;
    RunModal(dlg, [&] {
        QWidget* frequency = Widget(dlg, IDC_FREQUENCY);
        ClickAndType(dlg, IDC_FREQUENCY, QStringLiteral("1"));
        QTest::keyClick(frequency, Qt::Key_Left);

        struct Step {
            const char* key;  // '.' for the user's separator
            const char* text;
            double hz;
        };
        const Step steps[] = {
            {".", ".1", 0.1},       {"0", ".01", 0.01},     {"0", ".001", 0.001},
            {"0", ".0001", 0.0001}, {"0", ".0001", 0.0001},  // 0.00001 would be below the range
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.text);
            QTest::keyClicks(frequency, Local(step.key));
            EXPECT_EQ(Text(dlg, IDC_FREQUENCY), Local(step.text));
            EXPECT_EQ(Shown(dlg), ExpectedFor(step.hz));
        }
        QTest::keyClick(frequency, Qt::Key_Home);
        QTest::keyClicks(frequency, QStringLiteral("0"));
        EXPECT_EQ(Text(dlg, IDC_FREQUENCY), Local("0.0001"));
        EXPECT_EQ(Text(dlg, IDC_PERIOD), "10000000" + Sep() + "0000");
    });
}

// Leaving the frequency shows it with two decimals where two decimals can
// show it in range, and with enough decimals to keep it otherwise: the text
// left behind still reads as a frequency the results belong to.
TEST(WaveDialog, LeavingTheFrequencyNeverShowsATextOutOfRange)
{
    struct Case {
        const char* pasted;  // '.' for the user's separator
        const char* shown;
    };
    const Case cases[] = {
        {"440", "440.00"},
        {"440.126", "440.13"},
        {"0.005", "0.01"},
        // Before: each of these was shown as 0.00, below the range.
        {"0.0001", "0.0001"},
        {"0.004", "0.004"},
        {"0.00015", "0.00015"},
        {"0.0049999", "0.0049999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted);
        CWaveDlg dlg;
        RunModal(dlg, [&] {
            QWidget* frequency = Widget(dlg, IDC_FREQUENCY);
            QGuiApplication::clipboard()->setText(Local(c.pasted));
            ClickAndType(dlg, IDC_FREQUENCY, QString());
            QTest::keyClick(frequency, Qt::Key_V, Qt::ControlModifier);
            const QStringList results = ExpectedFor(Local(c.pasted).replace(Sep(), ".").toDouble());
            ASSERT_EQ(Shown(dlg), results);

            QTest::keyClick(frequency, Qt::Key_Tab);
            EXPECT_EQ(Text(dlg, IDC_FREQUENCY), Local(c.shown));
            EXPECT_EQ(Shown(dlg), results);

            // The text shown takes keys again: one more digit at its end.
            QTest::mouseClick(frequency, Qt::LeftButton);
            QTest::keyClick(frequency, Qt::Key_End);
            QTest::keyClicks(frequency, QStringLiteral("1"));
            EXPECT_EQ(Text(dlg, IDC_FREQUENCY), Local(c.shown) + "1");
        });
    }
}

TEST(WaveDialog, EnterChangesNothingAndDoesNotClose)
{
    CWaveDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_FREQUENCY, QStringLiteral("440"));
        QTest::keyClick(Widget(dlg, IDC_FREQUENCY), Qt::Key_Return);
        QTest::keyClick(Widget(dlg, IDC_FREQUENCY), Qt::Key_Enter);
        EXPECT_TRUE(dlg.IsRunning());
        EXPECT_EQ(Text(dlg, IDC_FREQUENCY), QStringLiteral("440"));

        ClickAndType(dlg, IDC_NOTE, QString());
        QTest::keyClick(Widget(dlg, IDC_NOTE), Qt::Key_Return);
        QTest::keyClick(Widget(dlg, IDC_NOTE), Qt::Key_Enter);
        EXPECT_TRUE(dlg.IsRunning());
        EXPECT_EQ(Text(dlg, IDC_NOTE), QStringLiteral("A4"));
        EXPECT_EQ(Shown(dlg), ExpectedFor(440.0));
    });
}

// Each handler writes the other's field; neither write may run the other
// handler, nor may the frequency field's own rewrite when it is left.
TEST(WaveDialog, OnlyTheUsersOwnEditsRecompute)
{
    {
        CWaveDlg dlg;
        RunModal(dlg, [&] {
            // A look-up from "A4" would rewrite the frequency as 440.00.
            ClickAndType(dlg, IDC_FREQUENCY, QStringLiteral("440"));
            EXPECT_EQ(Text(dlg, IDC_NOTE), QStringLiteral("A4"));
            EXPECT_EQ(Text(dlg, IDC_FREQUENCY), QStringLiteral("440"));
        });
    }
    {
        CWaveDlg dlg;
        RunModal(dlg, [&] {
            // A recompute from "440.00" would name the note "A4".
            ClickAndType(dlg, IDC_NOTE, QStringLiteral("a4"));
            EXPECT_EQ(Text(dlg, IDC_FREQUENCY), Local("440.00"));
            EXPECT_EQ(Text(dlg, IDC_NOTE), QStringLiteral("a4"));
        });
    }
    {
        CWaveDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_FREQUENCY, Local("440.001"));
            const QStringList forTyped = ExpectedFor(440.001);
            ASSERT_EQ(Shown(dlg), forTyped);
            ASSERT_NE(forTyped, ExpectedFor(440.0));
            // Leaving the field rewrites it with two decimals, which would
            // read as 440 and find A4.
            QTest::keyClick(Widget(dlg, IDC_FREQUENCY), Qt::Key_Tab);
            EXPECT_EQ(Text(dlg, IDC_FREQUENCY), Local("440.00"));
            EXPECT_EQ(Shown(dlg), forTyped);
            EXPECT_EQ(Text(dlg, IDC_NOTE), QString());
        });
    }
}

TEST(WaveDialog, TheChooserOpensItEmptyWithTheFocusOnTheFrequency)
{
    CChooserDlg chooser;
    RunModal(chooser, [&] {
        for (int opening = 0; opening < 2; ++opening) {
            EXPECT_TRUE(OpenFromChooser(chooser, IDC_WAVE, [&](CDialog& wave) {
                EXPECT_EQ(wave.GetTemplateId(), IDD_WAVE);
                EXPECT_FALSE(chooser.IsWindowEnabled());
                EXPECT_EQ(Shown(wave), kNoResults);
                EXPECT_EQ(Text(wave, IDC_FREQUENCY), QString());
                EXPECT_EQ(Text(wave, IDC_NOTE), QString());
                // Typed without a click: the keys go where the focus is.
                QWidget* focus = QApplication::focusWidget();
                ASSERT_EQ(focus, Widget(wave, IDC_FREQUENCY));
                QTest::keyClicks(focus, QStringLiteral("440"));
                EXPECT_EQ(Text(wave, IDC_NOTE), QStringLiteral("A4"));
                wave.EndDialog(IDOK);
            }));
            EXPECT_TRUE(chooser.IsWindowEnabled());
        }
    });
}

TEST(WaveDialog, TheHelpButtonOpensTheWaveSection)
{
    // A stand-in viewer early on PATH writes down what it was asked to open.
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QString viewer = bin.filePath(QStringLiteral("xdg-open"));
    const QString opened = bin.filePath(QStringLiteral("opened"));
    {
        QFile script(viewer);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.part\" && mv \"$0.part\" \"" + opened.toUtf8() + "\"\n");
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ':' + path);

    CWaveDlg dlg;
    RunModal(dlg, [&] {
        auto* help = Window(dlg)->findChild<QToolButton*>(QStringLiteral("command%1").arg(ID_HELP_TOPIC));
        ASSERT_NE(help, nullptr);
        QTest::mouseClick(help, Qt::LeftButton);
    });
    qputenv("PATH", path);

    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(opened); }, 5000));
    QFile file(opened);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString url = QString::fromUtf8(file.readAll()).trimmed();
    EXPECT_TRUE(url.startsWith(QStringLiteral("file://"))) << url.toStdString();
    // The page that leads on to the Wave section of the help page.
    EXPECT_TRUE(url.endsWith(QStringLiteral("/sonavolta-wave.html"))) << url.toStdString();
}

}  // namespace
