// The numeric field in a dialog, driven by real keys, clicks and the clipboard.

#include "tests/widgets/NumEditHost.h"

#include <QClipboard>
#include <QMimeData>

#include <functional>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QString Sep() { return CNumEdit().m_decimalSep; }

TEST(NumEditField, LeavingTheFieldRewritesItInItsDisplayForm)
{
    struct Case {
        int mode;
        bool textMode;
        QString typed;
        QString shown;
    };
    const Case cases[] = {
        {CNumEdit::DisplayFixed, false, "120", "120" + Sep() + "0000"},
        {CNumEdit::DisplayFixed, false, "5-", "5" + Sep() + "0000"},
        {CNumEdit::DisplayFixed, false, "", ""},
        {CNumEdit::DisplayInteger, false, "12" + Sep() + "7", "12"},
        {CNumEdit::DisplayExponent, false, "150", "1" + Sep() + "500000e+02"},
        {7, false, "5-", "5-"},                        // an unknown form leaves the text alone
        {CNumEdit::DisplayFixed, true, "C#0", "C#0"},  // text mode is never rewritten
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        NumEditHost host;
        host.m_setup = [&](CNumEdit& f) {
            f.m_displayMode = c.mode;
            f.m_textMode = c.textMode;
        };
        RunModal(host, [&] {
            ClickAndType(host, IDC_BPM, c.typed);
            const int changes = host.m_changes;
            QTest::keyClick(Widget(host, IDC_BPM), Qt::Key_Tab);
            EXPECT_EQ(Text(host, IDC_BPM), c.shown);
            // A multi-line field's own rewrite is no edit of the user's.
            EXPECT_EQ(host.m_changes, changes);
        });
    }
}

TEST(NumEditField, ARefusedKeyKeepsTheTextAndMovesTheCaretToTheSelectionStart)
{
    NumEditHost host;
    RunModal(host, [&] {
        ClickAndType(host, IDC_BPM, QStringLiteral("1234"));
        host.m_field.m_min = 1000;
        const int changes = host.m_changes;
        QLineEdit* edit = Edit(host, IDC_BPM);
        edit->setSelection(0, 2);
        QTest::keyClick(edit, Qt::Key_0);  // "034" would read as 34
        EXPECT_EQ(edit->text(), QStringLiteral("1234"));
        EXPECT_EQ(edit->cursorPosition(), 0);
        EXPECT_FALSE(edit->hasSelectedText());
        EXPECT_EQ(host.m_changes, changes);
    });
}

TEST(NumEditField, EnterAndDeleteAreSwallowedBackspaceWorks)
{
    NumEditHost host;
    RunModal(host, [&] {
        ClickAndType(host, IDC_BPM, QStringLiteral("123"));
        QLineEdit* edit = Edit(host, IDC_BPM);
        edit->setCursorPosition(1);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Enter);
        EXPECT_EQ(edit->text(), QStringLiteral("123"));
        EXPECT_TRUE(host.IsRunning());
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), QStringLiteral("23"));
    });
}

TEST(NumEditField, AReadOnlyResultIsRewrittenWhenLeft)
{
    NumEditHost host;
    RunModal(host, [&] {
        host.m_result.SetWindowText(QStringLiteral("63"));
        QTest::mouseClick(Widget(host, IDC_BAR44), Qt::LeftButton);
        QTest::keyClicks(Widget(host, IDC_BAR44), QStringLiteral("9"));
        EXPECT_EQ(Text(host, IDC_BAR44), QStringLiteral("63"));
        QTest::mouseClick(Widget(host, IDC_BPM), Qt::LeftButton);
        EXPECT_EQ(Text(host, IDC_BAR44), "63" + Sep() + "0000");
    });
}

// Paste, drop and undo put text in without typing: the same tests as typed
// keys apply, to the whole change.
TEST(NumEditField, PastedTextMustBeTextTypingCouldGive)
{
    struct Case {
        QString before;
        QString pasted;
        QString after;
    };
    const Case cases[] = {
        {"", "250", "250"},
        {"1", "5" + Sep() + "5", "15" + Sep() + "5"},
        {"", "12a", ""},                                      // a letter
        {"", "5000", ""},                                     // out of range
        {"1" + Sep() + "5", Sep() + "5", "1" + Sep() + "5"},  // a second separator
        {"", "\U0001F3B5", ""},
        {"", " 5", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted.toStdString());
        NumEditHost host;
        host.m_setup = [](CNumEdit& f) { f.m_max = 1000; };
        RunModal(host, [&] {
            ClickAndType(host, IDC_BPM, c.before);
            const int changes = host.m_changes;
            QGuiApplication::clipboard()->setText(c.pasted);
            QTest::keyClick(Widget(host, IDC_BPM), Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(Text(host, IDC_BPM), c.after);
            EXPECT_EQ(host.m_changes, changes + (c.after != c.before ? 1 : 0));
        });
    }
}

TEST(NumEditField, DroppedTextIsCheckedLikePastedText)
{
    for (const QString& dropped : {QStringLiteral("77"), QStringLiteral("7x")}) {
        NumEditHost host;
        RunModal(host, [&] {
            QLineEdit* edit = Edit(host, IDC_BPM);
            QMimeData mime;
            mime.setText(dropped);
            const QPointF at(edit->width() / 2.0, edit->height() / 2.0);
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit, &enter);
            QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit, &drop);
            EXPECT_EQ(edit->text(), dropped == "77" ? QStringLiteral("77") : QString());
        });
    }
}

TEST(NumEditField, UndoCannotBringBackTextTheFieldNoLongerTakes)
{
    NumEditHost host;
    host.m_setup = [](CNumEdit& f) { f.m_max = 1000; };
    RunModal(host, [&] {
        QLineEdit* edit = Edit(host, IDC_BPM);
        ClickAndType(host, IDC_BPM, QStringLiteral("900"));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        ASSERT_EQ(edit->text(), QString());
        // The range narrows (as a unit change does), then the user undoes.
        host.m_field.m_max = 100;
        const int changes = host.m_changes;
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), QString());
        EXPECT_EQ(host.m_changes, changes);
    });
}

TEST(NumEditField, UndoToTextInRangeGoesThroughAndNotifies)
{
    NumEditHost host;
    RunModal(host, [&] {
        QLineEdit* edit = Edit(host, IDC_BPM);
        ClickAndType(host, IDC_BPM, QStringLiteral("900"));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        const int changes = host.m_changes;
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), QStringLiteral("900"));
        EXPECT_EQ(host.m_changes, changes + 1);
    });
}

// Undo and redo in a field shown in exponent form: the 'e' and '+' the
// rewrite wrote stay out of the judgement; what an undo or redo brings is
// judged as the same keys typed, and the text it leaves by the range.
TEST(NumEditField, UndoAndRedoInTheExponentFormAreJudgedAsTheSameEditTyped)
{
    NumEditHost host;
    host.m_setup = [](CNumEdit& f) {
        f.m_displayMode = CNumEdit::DisplayExponent;
        f.m_max = 1000;
    };
    RunModal(host, [&] {
        QLineEdit* edit = Edit(host, IDC_BPM);
        ClickAndType(host, IDC_BPM, QStringLiteral("150"));
        QTest::keyClick(edit, Qt::Key_Tab);
        ASSERT_EQ(edit->text(), "1" + Sep() + "500000e+02");
        QTest::mouseClick(edit, Qt::LeftButton);
        auto select = [&](int start, int end) {
            QTest::keyClick(edit, Qt::Key_Home);
            for (int i = 0; i < end; ++i)
                QTest::keyClick(edit, Qt::Key_Right, i < start ? Qt::NoModifier : Qt::ShiftModifier);
        };
        const auto undo = [&] { QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier); };
        const auto redo = [&] { QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); };
        struct Step {
            const char* what;
            std::function<void()> act;
            QString text;  // the field's text afterwards
            bool changed;  // one change notification
        };
        const Step steps[] = {
            {"2 typed over the 1",
             [&] {
                 select(0, 1);
                 QTest::keyClicks(edit, QStringLiteral("2"));
             },
             "2" + Sep() + "500000e+02", true},
            // Before: refused, since the text holds an 'e' and a '+'.
            {"undo brings the 1 back", undo, "1" + Sep() + "500000e+02", true},
            {"redo brings the 2 back", redo, "2" + Sep() + "500000e+02", true},
            {"e+02 deleted by Backspace",
             [&] {
                 select(8, 12);
                 QTest::keyClick(edit, Qt::Key_Backspace);
             },
             "2" + Sep() + "500000", true},
            // Typing 'e' is refused: so is an undo that brings it.
            {"undo would bring e+02 back", undo, "2" + Sep() + "500000", false},
            {"9 typed over the 2",
             [&] {
                 select(0, 1);
                 QTest::keyClicks(edit, QStringLiteral("9"));
             },
             "9" + Sep() + "500000", true},
            {"undo brings the 2 back", undo, "2" + Sep() + "500000", true},
            // The range narrows, as a unit change does: 9.5 is too much now.
            {"redo would leave the range",
             [&] {
                 host.m_field.m_max = 5;
                 redo();
             },
             "2" + Sep() + "500000", false},
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            const int changes = host.m_changes;
            step.act();
            EXPECT_EQ(edit->text(), step.text);
            EXPECT_EQ(host.m_changes, changes + (step.changed ? 1 : 0));
        }
    });
}

TEST(NumEditField, CharactersBeyondTheBasicPlane)
{
    const QString note = QStringLiteral("\U0001F3B5");
    NumEditHost host;
    RunModal(host, [&] {
        QWidget* field = Widget(host, IDC_BPM);
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, note, Qt::NoModifier);
        EXPECT_EQ(Text(host, IDC_BPM), QString());
        host.m_field.m_textMode = true;
        QTest::keyClicks(field, QStringLiteral("C"));
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, note, Qt::NoModifier);
        EXPECT_EQ(Text(host, IDC_BPM), "C" + note);
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, note, Qt::NoModifier);
        EXPECT_EQ(Text(host, IDC_BPM), "C" + note);
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(Text(host, IDC_BPM), QStringLiteral("C"));
    });
}

}  // namespace
