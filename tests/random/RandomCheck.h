#pragma once
// What the random-input test (RandomInputTest.cpp) asks of each calculator:
// its controls, and a check of its fields after every event. Each
// calculator's check lives with its other tests, in tests/<anchor>/.

#include "framework/Dialog.h"
#include "tests/support/DialogHarness.h"
#include "widgets/NumEdit.h"

#include <QAbstractButton>
#include <QComboBox>

#include <map>
#include <vector>

namespace random_input {

inline CNumEdit* Field(CDialog& dlg, int id) { return dynamic_cast<CNumEdit*>(dlg.GetDlgItem(id)); }

inline QComboBox* Combo(CDialog& dlg, int id) { return qobject_cast<QComboBox*>(testing_support::Widget(dlg, id)); }

inline bool Checked(CDialog& dlg, int id)
{
    return qobject_cast<QAbstractButton*>(testing_support::Widget(dlg, id))->isChecked();
}

inline double Value(const CNumEdit& field, QString text) { return field.ParseValue(text); }

// What one event did, as the checks need it.
struct Step {
    int focusBefore = 0;  // control id with the focus before the event, 0 for none of ours
    bool edit = false;    // keys or a paste into the focused control
    bool tab = false;     // focus moved by Tab alone
    bool choice = false;  // an item taken in an open unit list
    std::map<int, QString> before, after;

    bool Edited(int id) const { return edit && focusBefore == id && before.at(id) != after.at(id); }
    bool Changed(int id) const { return before.at(id) != after.at(id); }
};

// One calculator's controls and what its results must be.
class CalculatorCheck {
public:
    explicit CalculatorCheck(CDialog& dlg) : m_dlg(dlg) {}
    virtual ~CalculatorCheck() = default;
    // Edit fields, input and result alike; the first ones take typing.
    virtual std::vector<int> Fields() const = 0;
    virtual std::vector<int> Inputs() const = 0;
    virtual std::vector<int> CheckBoxes() const = 0;
    virtual std::vector<int> Lists() const { return {}; }
    // Checks the fields after an event, knowing what it did.
    virtual void Check(const Step& step) = 0;

protected:
    CDialog& m_dlg;  // the calculator's dialog, running
};

}  // namespace random_input
