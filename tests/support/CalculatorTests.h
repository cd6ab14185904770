#pragma once
// What the shared test suites expect of each calculator. The calculator's
// own test folder (tests/<anchor>/) registers its expectations under the
// name the list of calculators gives it (app/Calculators.cpp); the shared
// suites (names, keyboard, layout, contrast, screenshots, random input) go
// through that list and ask here. A piece that is missing fails the test
// with a message naming the calculator and the piece, and the suite goes on
// without that calculator.

#include "app/Calculators.h"
#include "tests/random/RandomCheck.h"

#include <QAccessible>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace calculator_tests {

// A control as a screen reader finds it: its role and name, and for a list
// the item it shows (its name is then what the list is for).
struct AccessibleControl {
    QAccessible::Role role;
    QString name;
    QString value = {};
    bool operator==(const AccessibleControl&) const = default;
    bool operator<(const AccessibleControl& o) const
    {
        return std::tie(role, name, value) < std::tie(o.role, o.name, o.value);
    }
};

// "field", "list", "check box", "button", "menu button", "other".
const char* RoleName(QAccessible::Role role);
void PrintTo(const AccessibleControl& c, std::ostream* os);

// Keys typed into a field after a click on it.
struct Typing {
    int fieldId;
    QString keys;
};

// Opening the calculator from the chooser by keys alone, using it, and
// leaving it with Esc.
struct FromTheChooser {
    Qt::Key press;      // Space, Return or Enter on its button
    QString keys;       // typed into the first field
    int resultId;       // a field the keys fill
    int tabsBeforeEsc;  // Shift+Tabs away from the first field before Esc
};

// Saves the screen of a dialog under a name (the screenshot tool's).
using SaveScreen = std::function<void(CDialog&, const QString& name)>;

// One screenshot of an opening: what to do first (nothing, for the screen
// as it opens), and the name to save it under.
struct Shot {
    std::function<void(CDialog&)> act;
    QString name;
};
// Opens the calculator once and saves each shot in turn.
void SaveShots(const Calculator& calculator, const SaveScreen& save, const std::vector<Shot>& shots);
// Steps of a shot: a click on the field and keys typed; a click on a control.
std::function<void(CDialog&)> TypeInto(int fieldId, const QString& keys);
std::function<void(CDialog&)> ClickOn(int controlId);

struct Expectations {
    // The focus's names as Tab walks the screen, from the first field until
    // it comes round again (the navigation bar's OK and Help included).
    std::optional<QStringList> tabChain;
    // Every field, list, check box and button a screen reader finds.
    std::optional<std::vector<AccessibleControl>> controls;
    // What a user types first, so the fields hold numbers of their usual
    // length: for the layout check, and for the contrast check.
    std::optional<Typing> layoutFill;
    std::optional<Typing> contrastFill;
    std::optional<FromTheChooser> fromTheChooser;
    // Renders the calculator's screenshots, empty and with values typed.
    std::optional<std::function<void(const Calculator&, const SaveScreen&)>> screenshots;
    // The random-input test's check of the calculator's dialog.
    std::optional<std::function<std::unique_ptr<random_input::CalculatorCheck>(CDialog&)>> randomCheck;
};

// Registers a calculator's expectations under its name; call it once, from
// a static initialiser in tests/<anchor>/. Returns true.
bool Register(const char* name, Expectations expectations);

// The expectations registered under a name, or nullptr (outside a test).
const Expectations* Find(const char* name);

// The calculator's expectations, or nullptr after a test failure that names
// the calculator.
const Expectations* ExpectationsOf(const Calculator& calculator);

// One piece of the calculator's expectations, or nullptr after a test
// failure that names the calculator and the piece (what).
template <class T>
const T* Expect(const Calculator& calculator, std::optional<T> Expectations::*piece, const char* what)
{
    const Expectations* expectations = ExpectationsOf(calculator);
    if (!expectations)
        return nullptr;
    const std::optional<T>& found = expectations->*piece;
    if (!found) {
        ADD_FAILURE() << "calculator " << calculator.name << ": its test expectations lack " << what << " (tests/"
                      << calculator.helpAnchor << "/ registers them)";
        return nullptr;
    }
    return &*found;
}

}  // namespace calculator_tests
