// What the shared suites expect of the Level calculator: names, keyboard,
// layout, contrast, screenshots and its random-input check.

#include "calc/level/LevelDlg.h"
#include "calc/level/LevelModel.h"
#include "res/resource.h"
#include "tests/support/CalculatorTests.h"

#include <algorithm>

using namespace calculator_tests;
using namespace random_input;
using testing_support::ClickAndType;
using testing_support::RunModal;
using testing_support::Widget;

namespace {

class LevelCheck : public CalculatorCheck {
public:
    using CalculatorCheck::CalculatorCheck;

    std::vector<int> Fields() const override
    {
        return {IDC_DBU, IDC_DBV, IDC_DBM, IDC_POWER, IDC_OHMS, IDC_VRMS, IDC_VPP};
    }
    std::vector<int> Inputs() const override { return {IDC_DBU, IDC_DBV, IDC_DBM, IDC_POWER, IDC_OHMS, IDC_VRMS}; }
    std::vector<int> CheckBoxes() const override { return {IDC_EXP}; }
    std::vector<int> Lists() const override { return {IDC_POWER_UNIT, IDC_VRMS_UNIT, IDC_VPP_UNIT}; }

    void Check(const Step& step) override
    {
        // The power and RMS voltage are typed in the unit their list shows.
        const int powerUnit = Combo(m_dlg, IDC_POWER_UNIT)->currentIndex();
        const int vrmsUnit = Combo(m_dlg, IDC_VRMS_UNIT)->currentIndex();
        EXPECT_EQ(Field(m_dlg, IDC_POWER)->m_scale, CLevelModel::PowerUnitFactor(powerUnit));
        EXPECT_EQ(Field(m_dlg, IDC_VRMS)->m_scale, CLevelModel::VoltageUnitFactor(vrmsUnit));

        const std::pair<int, CLevelModel::EnteredQuantity> entered[] = {{IDC_DBU, CLevelModel::EnteredDBu},
                                                                        {IDC_DBV, CLevelModel::EnteredDBV},
                                                                        {IDC_DBM, CLevelModel::EnteredDBm},
                                                                        {IDC_POWER, CLevelModel::EnteredPower},
                                                                        {IDC_VRMS, CLevelModel::EnteredVrms}};
        for (const auto& [id, quantity] : entered) {
            if (step.Edited(id))
                CheckAfterTyping(step, id, quantity);
        }

        // A new impedance recomputes dBm and the power from the same voltage.
        const int kept[] = {IDC_DBU, IDC_DBV, IDC_VRMS, IDC_VPP};
        CString ohms = step.after.at(IDC_OHMS);
        if (step.Edited(IDC_OHMS) && Field(m_dlg, IDC_OHMS)->ParseInteger(ohms) > 0
            && std::none_of(std::begin(kept), std::end(kept), [&](int id) { return step.before.at(id).isEmpty(); })) {
            for (int id : kept)
                EXPECT_FALSE(step.Changed(id)) << "field " << id << " changed with the impedance";
        }

        // A unit choice re-expresses only its own field.
        const std::pair<int, int> lists[] = {
            {IDC_POWER_UNIT, IDC_POWER}, {IDC_VRMS_UNIT, IDC_VRMS}, {IDC_VPP_UNIT, IDC_VPP}};
        for (const auto& [list, own] : lists) {
            if (step.focusBefore != list || !(step.edit || step.choice))
                continue;
            for (int id : Fields()) {
                if (id != own) {
                    EXPECT_FALSE(step.Changed(id)) << "field " << id << " changed with unit list " << list;
                }
            }
        }
    }

private:
    // After the user changed a value field: the others show what a fresh
    // engine makes of that field's number at the impedance shown.
    void CheckAfterTyping(const Step& step, int typed, CLevelModel::EnteredQuantity quantity)
    {
        const int values[] = {IDC_DBU, IDC_DBV, IDC_DBM, IDC_POWER, IDC_VRMS, IDC_VPP};
        const QString text = step.after.at(typed);
        if (text.isEmpty()) {
            for (int id : values)
                EXPECT_EQ(step.after.at(id), QString()) << "field " << id << " after emptying " << typed;
            return;
        }

        CLevelModel model;
        CString ohms = step.after.at(IDC_OHMS);
        model.m_dOhms = Field(m_dlg, IDC_OHMS)->ParseInteger(ohms);
        model.m_bExp = Checked(m_dlg, IDC_EXP);
        model.m_nPowerUnit = Combo(m_dlg, IDC_POWER_UNIT)->currentIndex();
        model.m_nVrmsUnit = Combo(m_dlg, IDC_VRMS_UNIT)->currentIndex();
        model.m_nEntered = quantity;
        const double number = Value(*Field(m_dlg, typed), text);
        switch (quantity) {
        case CLevelModel::EnteredDBu: model.m_dBu = number; break;
        case CLevelModel::EnteredDBV: model.m_dBV = number; break;
        case CLevelModel::EnteredDBm: model.m_dBm = number; break;
        case CLevelModel::EnteredPower: model.SetPower(number); break;
        case CLevelModel::EnteredVrms: model.SetVrms(number); break;
        default: break;
        }
        model.Calculate();
        const bool undefined = model.m_bUndefined;

        const auto fixed = [&](int id, double v) { return undefined ? QString() : Field(m_dlg, id)->FormatFixed(v); };
        std::map<int, QString> expected = {
            {IDC_DBU, fixed(IDC_DBU, model.m_dBu)},    {IDC_DBV, fixed(IDC_DBV, model.m_dBV)},
            {IDC_DBM, fixed(IDC_DBM, model.m_dBm)},    {IDC_VRMS, fixed(IDC_VRMS, model.GetVrms())},
            {IDC_VPP, fixed(IDC_VPP, model.GetVpp())}, {IDC_POWER, QString()}};
        if (!undefined)
            expected[IDC_POWER] = CLevelDlg::PowerText(*Field(m_dlg, IDC_POWER), model);
        for (const auto& [id, shown] : expected) {
            if (id != typed) {
                EXPECT_EQ(step.after.at(id), shown) << "field " << id << " after typing into " << typed;
            }
        }
        if (typed != IDC_POWER) {
            EXPECT_EQ(Combo(m_dlg, IDC_POWER_UNIT)->currentIndex(), model.m_nPowerUnit);
        }
        if (!undefined) {
            if (typed != IDC_VRMS) {
                EXPECT_EQ(Combo(m_dlg, IDC_VRMS_UNIT)->currentIndex(), model.m_nVrmsUnit);
            }
            EXPECT_EQ(Combo(m_dlg, IDC_VPP_UNIT)->currentIndex(), model.m_nVppUnit);
        }
    }
};

void Screenshots(const Calculator& level, const SaveScreen& save)
{
    SaveShots(level, save, {{{}, "level"}, {TypeInto(IDC_DBU, "0"), "level-0dBu"}, {ClickOn(IDC_EXP), "level-exp"}});
}

Expectations LevelExpectations()
{
    Expectations e;
    e.tabChain = QStringList {
        "dBu (\u00b1200)", "dBV (\u00b1200)",    "dBm (\u00b1200)",    "Power", "Power unit", "Ohms", "EXP",
        "Voltage (RMS)",   "Voltage (RMS) unit", "Voltage (p-p) unit", "OK",    "Help"};
    e.controls = std::vector<AccessibleControl> {};
    for (const char* field :
         {"dBu (\u00b1200)", "dBV (\u00b1200)", "dBm (\u00b1200)", "Power", "Ohms", "Voltage (RMS)", "Voltage (p-p)"})
        e.controls->push_back({QAccessible::EditableText, QString::fromUtf8(field)});
    e.controls->insert(e.controls->end(), {{QAccessible::ComboBox, "Power unit", "mW"},
                                           {QAccessible::ComboBox, "Voltage (RMS) unit", "mV"},
                                           {QAccessible::ComboBox, "Voltage (p-p) unit", "mV"},
                                           {QAccessible::CheckBox, "EXP"},
                                           {QAccessible::Button, "Help"},
                                           {QAccessible::Button, "OK"}});
    e.layoutFill = Typing {IDC_DBU, QStringLiteral("-12.5")};
    e.contrastFill = Typing {IDC_DBU, QStringLiteral("0")};
    // From the ok button.
    e.fromTheChooser = FromTheChooser {Qt::Key_Enter, QStringLiteral("0"), IDC_DBV, 2};
    e.screenshots = Screenshots;
    e.randomCheck = [](CDialog& dlg) -> std::unique_ptr<CalculatorCheck> { return std::make_unique<LevelCheck>(dlg); };
    return e;
}

[[maybe_unused]] const bool g_registered = Register("Level", LevelExpectations());

}  // namespace
