// The whole program by keyboard alone: Tab reaches every input, list, check
// box and button of a screen in order; Space and Enter press buttons; the
// chooser opens a calculator and Esc brings it back; the help button and the
// Help menu are reached and used without a mouse.

#include "calc/delay/DelayDlg.h"
#include "calc/level/LevelDlg.h"
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

// The chooser's buttons, one per calculator in the list's order (the
// template's), then the navigation bar; a calculator's chain is its own.
const QStringList* ExpectedTabChain(const a11y::ScreenCase& screen, QStringList& chooser)
{
    static const QStringList about {"OK"};
    if (screen.calculator)
        return calculator_tests::Expect(*screen.calculator, &calculator_tests::Expectations::tabChain, "its tab chain");
    if (screen.name == "About")
        return &about;
    chooser.clear();
    for (const Calculator& c : Calculators())
        chooser << QString::fromUtf8(c.name);
    chooser << QStringLiteral("OK") << QStringLiteral("Help");
    return &chooser;
}

TEST(Keyboard, TabWalksEveryScreenInTemplateOrderAndRoundAgain)
{
    for (const auto& screen : a11y::Screens()) {
        SCOPED_TRACE(screen.name);
        QStringList chooser;
        const QStringList* expected = ExpectedTabChain(screen, chooser);
        if (!expected)
            continue;
        screen.run([&](CDialog&) {
            const QStringList forward = TabChain(Qt::Key_Tab);
            EXPECT_EQ(forward, *expected);
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
    RunChooser([&](CDialog& chooser) {
        for (const Calculator& c : Calculators()) {
            SCOPED_TRACE(c.name);
            const auto* keys = calculator_tests::Expect(c, &calculator_tests::Expectations::fromTheChooser,
                                                        "how it is opened from the chooser by keys");
            const auto* chain = calculator_tests::Expect(c, &calculator_tests::Expectations::tabChain, "its tab chain");
            if (!keys || !chain)
                continue;
            TabTo(QString::fromUtf8(c.name));

            bool opened = false;
            When([&] { return CDialog::GetActiveDialog() != &chooser; },
                 [&] {
                     CDialog& calc = *CDialog::GetActiveDialog();
                     opened = calc.GetTemplateId() == c.templateId;
                     QApplication::processEvents();
                     EXPECT_EQ(FocusName(), chain->value(0));
                     EXPECT_EQ(QApplication::focusWidget(), Widget(calc, c.firstFieldId));
                     QTest::keyClicks(QApplication::focusWidget(), keys->keys);
                     const QString result = Text(calc, keys->resultId);
                     EXPECT_FALSE(result.isEmpty());
                     // Enter in a field changes nothing and closes nothing.
                     Press(Qt::Key_Return);
                     EXPECT_TRUE(calc.IsRunning());
                     EXPECT_EQ(Text(calc, keys->resultId), result);

                     for (int i = 0; i < keys->tabsBeforeEsc; ++i)
                         Press(Qt::Key_Backtab, Qt::ShiftModifier);
                     Press(Qt::Key_Escape);
                     EXPECT_FALSE(calc.IsRunning());
                     if (calc.IsRunning())
                         calc.EndDialog(IDCANCEL);
                 });
            Press(keys->press);
            EXPECT_TRUE(opened);
            EXPECT_EQ(CDialog::GetActiveDialog(), &chooser);
            EXPECT_EQ(FocusName(), QString::fromUtf8(c.name));
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
