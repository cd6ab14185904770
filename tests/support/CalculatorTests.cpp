#include "tests/support/CalculatorTests.h"

#include <map>
#include <string>

namespace calculator_tests {

namespace {

// Filled by static initialisers in other files: made on first use.
std::map<std::string, Expectations>& Registry()
{
    static std::map<std::string, Expectations> registry;
    return registry;
}

}  // namespace

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

void PrintTo(const AccessibleControl& c, std::ostream* os)
{
    *os << RoleName(c.role) << " \"" << c.name.toStdString() << '"';
    if (!c.value.isEmpty())
        *os << " showing \"" << c.value.toStdString() << '"';
}

void SaveShots(const Calculator& calculator, const SaveScreen& save, const std::vector<Shot>& shots)
{
    const std::unique_ptr<CDialog> dlg = calculator.make();
    testing_support::RunModal(*dlg, [&] {
        for (const Shot& shot : shots) {
            if (shot.act)
                shot.act(*dlg);
            save(*dlg, shot.name);
        }
    });
}

std::function<void(CDialog&)> TypeInto(int fieldId, const QString& keys)
{
    return [fieldId, keys](CDialog& dlg) { testing_support::ClickAndType(dlg, fieldId, keys); };
}

std::function<void(CDialog&)> ClickOn(int controlId)
{
    return [controlId](CDialog& dlg) { QTest::mouseClick(testing_support::Widget(dlg, controlId), Qt::LeftButton); };
}

bool Register(const char* name, Expectations expectations)
{
    Registry()[name] = std::move(expectations);
    return true;
}

const Expectations* Find(const char* name)
{
    const auto found = Registry().find(name);
    return found == Registry().end() ? nullptr : &found->second;
}

const Expectations* ExpectationsOf(const Calculator& calculator)
{
    const Expectations* found = Find(calculator.name);
    if (!found) {
        ADD_FAILURE() << "calculator " << calculator.name << " has no test expectations registered (tests/"
                      << calculator.helpAnchor << "/ registers them with calculator_tests::Register)";
        return nullptr;
    }
    return found;
}

}  // namespace calculator_tests
