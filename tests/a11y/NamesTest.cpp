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

using a11y::kScreens;

struct Control {
    QAccessible::Role role;
    QString name;
    QString value = {};  // read for lists only: the item they show (name is what they are for)
    bool operator==(const Control&) const = default;
    bool operator<(const Control& o) const { return std::tie(role, name, value) < std::tie(o.role, o.name, o.value); }
};

const char* RoleName(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::EditableText: return "field";
    case QAccessible::ComboBox: return "list";
    case QAccessible::CheckBox: return "check box";
    case QAccessible::Button: return "button";
    case QAccessible::ButtonMenu: return "menu button";
    default: return "other";
    }
}

void PrintTo(const Control& c, std::ostream* os)
{
    *os << RoleName(c.role) << " \"" << c.name.toStdString() << '"';
    if (!c.value.isEmpty())
        *os << " showing \"" << c.value.toStdString() << '"';
}

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

std::vector<Control> Expected(std::initializer_list<const char*> fields, std::vector<Control> others)
{
    for (const char* field : fields)
        others.push_back({QAccessible::EditableText, QString::fromUtf8(field)});
    // Every screen has the ok button of the navigation bar.
    others.push_back({QAccessible::Button, QStringLiteral("OK")});
    return others;
}

const Control kHelpButton {QAccessible::Button, QStringLiteral("Help")};

TEST(AccessibleNames, EveryControlOfEveryScreenHasItsName)
{
    const std::map<std::string, std::vector<Control>> expected = {
        {"Chooser", Expected({}, {{QAccessible::Button, "Delay"},
                                  {QAccessible::Button, "Wave"},
                                  {QAccessible::Button, "Level"},
                                  {QAccessible::ButtonMenu, "Help"}})},
        {"Delay", Expected({"BPM", "4/4 Bar", "3/4 Bar", "1/2 Note", "1/4 Note", "1/8 Note", "1/16 Note", "1/32 Note"},
                           {{QAccessible::CheckBox, "Round Values"}, kHelpButton})},
        {"Level", Expected({"dBu (\u00b1200)", "dBV (\u00b1200)", "dBm (\u00b1200)", "Power", "Ohms", "Voltage (RMS)",
                            "Voltage (p-p)"},
                           {{QAccessible::ComboBox, "Power unit", "mW"},
                            {QAccessible::ComboBox, "Voltage (RMS) unit", "mV"},
                            {QAccessible::ComboBox, "Voltage (p-p) unit", "mV"},
                            {QAccessible::CheckBox, "EXP"},
                            kHelpButton})},
        {"Wave", Expected({"Frequency (Hz)", "Note (C0, C#0, ..., B9)", "Wavelength (cm)", "Wavelength (ft)",
                           "Period (ms)", "Wavelength/2 (cm)", "Wavelength/2 (ft)", "Period/2 (ms)"},
                          {kHelpButton})},
        {"About", Expected({}, {})},
    };

    for (const auto& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        screen.run([&](CDialog& dlg) {
            std::vector<Control> found;
            Collect(QAccessible::queryAccessibleInterface(testing_support::Window(dlg)), found);

            std::cout << screen.name << '\n';
            for (const Control& c : found)
                std::cout << "  " << std::left << std::setw(12) << RoleName(c.role) << std::setw(26)
                          << c.name.toStdString() << c.value.toStdString() << '\n';

            std::vector<Control> want = expected.at(screen.name);
            std::sort(found.begin(), found.end());
            std::sort(want.begin(), want.end());
            EXPECT_EQ(found, want);
        });
    }
}

}  // namespace
