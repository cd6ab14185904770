// What a screen reader finds on each screen: every field, list, check box
// and button, read through Qt's accessibility interface (the bridge to the
// desktop's accessibility bus reads the same), with its role and its name.
// A field's name is the label the user reads beside it.

#include "tests/a11y/Screens.h"

#include <QAccessible>
#include <QAccessibleInterface>

#include <algorithm>
#include <gtest/gtest.h>
#include <iomanip>
#include <iostream>
#include <map>
#include <tuple>

namespace {

using calculator_tests::AccessibleControl;
using Control = AccessibleControl;

using calculator_tests::RoleName;

bool Operable(QAccessible::Role role)
{
    return role == QAccessible::EditableText || role == QAccessible::ComboBox || role == QAccessible::CheckBox
           || role == QAccessible::Button || role == QAccessible::ButtonMenu;
}

// The shown controls a user can read or operate, walking the accessibility
// tree from the window down.
void Collect(QAccessibleInterface* node, std::vector<Control>& out)
{
    if (!node || node->state().invisible)
        return;
    // A list tells what it is for in its description and the item it
    // shows in its name, as screen readers on Linux expect.
    if (node->role() == QAccessible::ComboBox)
        out.push_back({node->role(), node->text(QAccessible::Description), node->text(QAccessible::Name)});
    else if (Operable(node->role()))
        out.push_back({node->role(), node->text(QAccessible::Name)});
    for (int i = 0; i < node->childCount(); ++i)
        Collect(node->child(i), out);
}

// The chooser: a button per calculator, the Help menu and the ok button;
// the About box: the ok button; a calculator: what its folder registered.
const std::vector<Control>* ExpectedControls(const a11y::ScreenCase& screen, std::vector<Control>& shell)
{
    if (screen.calculator)
        return calculator_tests::Expect(*screen.calculator, &calculator_tests::Expectations::controls,
                                        "the controls a screen reader finds on it");
    shell = {{QAccessible::Button, QStringLiteral("OK")}};
    if (screen.name == "Chooser") {
        for (const Calculator& c : Calculators())
            shell.push_back({QAccessible::Button, QString::fromUtf8(c.name)});
        shell.push_back({QAccessible::ButtonMenu, QStringLiteral("Help")});
    }
    return &shell;
}

TEST(AccessibleNames, EveryControlOfEveryScreenHasItsName)
{
    for (const auto& screen : a11y::Screens()) {
        SCOPED_TRACE(screen.name);
        std::vector<Control> shell;
        const std::vector<Control>* expected = ExpectedControls(screen, shell);
        if (!expected)
            continue;
        screen.run([&](CDialog& dlg) {
            std::vector<Control> found;
            Collect(QAccessible::queryAccessibleInterface(testing_support::Window(dlg)), found);

            std::cout << screen.name << '\n';
            for (const Control& c : found)
                std::cout << "  " << std::left << std::setw(12) << RoleName(c.role) << std::setw(26)
                          << c.name.toStdString() << c.value.toStdString() << '\n';

            std::vector<Control> want = *expected;
            std::sort(found.begin(), found.end());
            std::sort(want.begin(), want.end());
            EXPECT_EQ(found, want);
        });
    }
}

}  // namespace
