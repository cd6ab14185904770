// The whole program by keyboard alone: Tab reaches every input, list, check
// box and button of a screen in order; Space and Enter press buttons; the
// chooser opens a calculator and Esc brings it back; the help button and the
// Help menu are reached and used without a mouse.

#include "res/resource.h"
#include "tests/a11y/Screens.h"
#include "tests/support/Numbers.h"
#include "tests/support/Shell.h"
#include "tests/support/Waiting.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// What a screen reader calls the control that has the focus (a list by what
// it is for, its description; its name is the item it shows).
QString FocusName()
{
    QWidget* focus = QApplication::focusWidget();
    QAccessibleInterface* iface = focus ? QAccessible::queryAccessibleInterface(focus) : nullptr;
    if (!iface)
        return QStringLiteral("(no focus)");
    return iface->text(iface->role() == QAccessible::ComboBox ? QAccessible::Description : QAccessible::Name);
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
}

// The focus's names from where the screen puts it, one Tab at a time, until
// it comes round again (at most limit steps).
QStringList TabChain(Qt::Key key, int limit = 30)
{
    QStringList names {FocusName()};
    QWidget* start = QApplication::focusWidget();
    for (int i = 0; i < limit; ++i) {
        Press(key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        if (QApplication::focusWidget() == start)
            return names;
        names << FocusName();
    }
    return names;
}

// Tabs from where the screen puts the focus to the control of that name.
void TabTo(const QString& name)
{
    for (int i = 0; i < 12 && FocusName() != name; ++i)
        Press(Qt::Key_Tab);
    ASSERT_EQ(FocusName(), name);
}

TEST(Keyboard, TabWalksEveryScreenInTemplateOrderAndRoundAgain)
{
    const std::map<std::string, QStringList> expected = {
        {"Chooser", {"Level", "Delay", "Wave", "OK", "Help"}},
        {"Delay", {"BPM", "Round Values", "OK", "Help"}},
        {"Level",
         {"dBu (\u00b1200)", "dBV (\u00b1200)", "dBm (\u00b1200)", "Power", "Power unit", "Ohms", "EXP",
          "Voltage (RMS)", "Voltage (RMS) unit", "Voltage (p-p) unit", "OK", "Help"}},
        {"Wave", {"Frequency (Hz)", "Note (C0, C#0, ..., B9)", "OK", "Help"}},
        {"About", {"OK"}},
    };
    for (const auto& screen : a11y::kScreens) {
        SCOPED_TRACE(screen.name);
        screen.run([&](CDialog&) {
            const QStringList forward = TabChain(Qt::Key_Tab);
            EXPECT_EQ(forward, expected.at(screen.name));
            // Shift+Tab walks the same chain backwards.
            QStringList backward = TabChain(Qt::Key_Backtab);
            std::reverse(backward.begin() + 1, backward.end());
            EXPECT_EQ(backward, forward);
        });
    }
}

// Each calculator is opened from the chooser by keys alone, used, and left
// with Esc, which works wherever the focus is; the chooser's button that
// opened it has the focus again.
TEST(Keyboard, TheChooserOpensEachCalculatorAndEscBringsItBack)
{
    struct Case {
        const char* button;
        Qt::Key press;  // Space or Enter
        int templateId;
        const char* firstField;
        const char* keys;   // typed into the first field
        int resultId;       // a field the keys fill
        int tabsBeforeEsc;  // Shift+Tabs away from the first field first
    };
    const Case cases[] = {
        {"Delay", Qt::Key_Return, IDD_DELAY, "BPM", "120", IDC_QUARTER, 0},
        {"Wave", Qt::Key_Space, IDD_WAVE, "Frequency (Hz)", "440", IDC_NOTE, 1},  // from the help button
        {"Level", Qt::Key_Enter, IDD_LEVEL, "dBu (\u00b1200)", "0", IDC_DBV, 2},  // from the ok button
    };
    RunChooser([&](CDialog& chooser) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.button);
            TabTo(QString::fromUtf8(c.button));

            bool opened = false;
            When([&] { return CDialog::GetActiveDialog() != &chooser; },
                 [&] {
                     CDialog& calc = *CDialog::GetActiveDialog();
                     opened = calc.GetTemplateId() == c.templateId;
                     QApplication::processEvents();
                     EXPECT_EQ(FocusName(), QString::fromUtf8(c.firstField));
                     QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(c.keys));
                     const QString result = Text(calc, c.resultId);
                     EXPECT_FALSE(result.isEmpty());
                     // Enter in a field changes nothing and closes nothing.
                     Press(Qt::Key_Return);
                     EXPECT_TRUE(calc.IsRunning());
                     EXPECT_EQ(Text(calc, c.resultId), result);

                     for (int i = 0; i < c.tabsBeforeEsc; ++i)
                         Press(Qt::Key_Backtab, Qt::ShiftModifier);
                     Press(Qt::Key_Escape);
                     EXPECT_FALSE(calc.IsRunning());
                     if (calc.IsRunning())
                         calc.EndDialog(IDCANCEL);
                 });
            Press(c.press);
            EXPECT_TRUE(opened);
            EXPECT_EQ(CDialog::GetActiveDialog(), &chooser);
            EXPECT_EQ(FocusName(), QString::fromUtf8(c.button));
        }
    });
}

TEST(Keyboard, ListsAndCheckBoxesChangeByKeys)
{
    a11y::RunScreen<CLevelDlg>([](CDialog& dlg) {
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0"));  // 0 dBu: 1 mW at 600 ohms
        TabTo(QStringLiteral("Power unit"));
        Press(Qt::Key_Down);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(QApplication::focusWidget())->text(QAccessible::Value),
                  QStringLiteral("W"));
        EXPECT_EQ(Text(dlg, IDC_POWER).left(5), Local("0.001"));
    });
    a11y::RunScreen<CDelayDlg>([](CDialog& dlg) {
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("120"));
        TabTo(QStringLiteral("Round Values"));
        Press(Qt::Key_Space);
        EXPECT_EQ(Text(dlg, IDC_QUARTER), QStringLiteral("500"));
    });
}

// A stand-in for the desktop's help viewer, first on PATH, that writes down
// the address it was asked to open.
class ViewerStub {
public:
    ViewerStub() : m_path(qgetenv("PATH"))
    {
        QFile script(m_dir.filePath(QStringLiteral("xdg-open")));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$0.calls\"\n");
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(m_dir.path()) + ':' + m_path);
    }
    ~ViewerStub() { qputenv("PATH", m_path); }

    // The page of each address opened so far, once there are count of them.
    QStringList Pages(int count)
    {
        QStringList anchors;
        for (int waited = 0; waited <= 5000 && anchors.size() < count; waited += 20) {
            QFile calls(m_dir.filePath(QStringLiteral("xdg-open.calls")));
            anchors.clear();
            if (calls.open(QIODevice::ReadOnly))
                for (const QString& url : QString::fromUtf8(calls.readAll()).split(u'\n', Qt::SkipEmptyParts))
                    anchors << QUrl(url).fileName();
            if (anchors.size() < count)
                QTest::qWait(20);
        }
        return anchors;
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

// Opens the focused menu button's menu with Space and picks an item with
// the arrow keys and Enter; what the item opens runs inside this call.
void PickFromMenu(const QString& item, const std::function<void()>& whileOpen = {})
{
    WhenMenuOpens([item, whileOpen](QMenu& menu) {
        for (int i = 0; i < 4 && !(menu.activeAction() && menu.activeAction()->text() == item); ++i)
            QTest::keyClick(&menu, Qt::Key_Down);
        EXPECT_EQ(menu.activeAction() ? menu.activeAction()->text() : QString(), item);
        if (whileOpen)
            WhenDialogOpens(IDD_ABOUT, [whileOpen](CDialog&) { whileOpen(); });
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    Press(Qt::Key_Space);
}

TEST(Keyboard, HelpButtonAndHelpMenu)
{
    ViewerStub viewer;
    a11y::RunScreen<CDelayDlg>([](CDialog&) {
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_EQ(FocusName(), QStringLiteral("Help"));
        Press(Qt::Key_Space);
    });

    RunChooser([&](CDialog& chooser) {
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_EQ(FocusName(), QStringLiteral("Help"));
        bool aboutShown = false;
        PickFromMenu(QStringLiteral("About..."), [&] {
            aboutShown = true;
            QApplication::processEvents();
            EXPECT_EQ(FocusName(), QStringLiteral("OK"));
            Press(Qt::Key_Return);  // presses ok
        });
        EXPECT_TRUE(aboutShown);
        EXPECT_EQ(CDialog::GetActiveDialog(), &chooser);

        ASSERT_EQ(FocusName(), QStringLiteral("Help"));
        PickFromMenu(QStringLiteral("Contents"));
    });
    // The viewer runs apart from the program; its two starts may finish in
    // either order.
    // (The help button opens the page that leads on to its section.)
    QStringList pages = viewer.Pages(2);
    pages.sort();
    EXPECT_EQ(pages, (QStringList {"sonavolta-delay.html", "sonavolta.html"}));
}

}  // namespace
