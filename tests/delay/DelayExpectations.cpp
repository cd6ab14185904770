// What the shared suites expect of the Delay calculator: names, keyboard,
// layout, contrast, screenshots and its random-input check.

#include "calc/delay/DelayDlg.h"
#include "calc/delay/DelayModel.h"
#include "res/resource.h"
#include "tests/support/CalculatorTests.h"

using namespace calculator_tests;
using namespace random_input;
using testing_support::ClickAndType;
using testing_support::RunModal;
using testing_support::Widget;

namespace {

class DelayCheck : public CalculatorCheck {
public:
    using CalculatorCheck::CalculatorCheck;

    std::vector<int> Fields() const override
    {
        return {IDC_BPM, IDC_BAR44, IDC_BAR34, IDC_HALF, IDC_QUARTER, IDC_EIGHTH, IDC_SIXTEENTH, IDC_THIRTY_SECOND};
    }
    std::vector<int> Inputs() const override { return {IDC_BPM}; }
    std::vector<int> CheckBoxes() const override { return {IDC_ROUND}; }

    // The results belong to the tempo text as it was at the last
    // recalculation: a change the user made to it, or a click on Round
    // (the tempo's rewrite on focus loss recomputes nothing).
    void Check(const Step& step) override
    {
        const bool round = Checked(m_dlg, IDC_ROUND);
        if (step.Edited(IDC_BPM) || round != m_round)
            m_tempo = step.after.at(IDC_BPM);
        m_round = round;

        CDelayModel model;
        if (!m_tempo.isEmpty())
            model.SetBpm(Value(*Field(m_dlg, IDC_BPM), m_tempo));
        const std::pair<int, double> results[] = {{IDC_BAR44, model.m_bar44},
                                                  {IDC_BAR34, model.m_bar34},
                                                  {IDC_HALF, model.m_half},
                                                  {IDC_QUARTER, model.m_quarter},
                                                  {IDC_EIGHTH, model.m_eighth},
                                                  {IDC_SIXTEENTH, model.m_sixteenth},
                                                  {IDC_THIRTY_SECOND, model.m_thirtySecond}};
        for (const auto& [id, length] : results) {
            const CNumEdit& field = *Field(m_dlg, id);
            const QString expected = m_tempo.isEmpty() ? QString() : CDelayDlg::LengthText(field, length, round);
            // A result field tapped and left shows its number in fixed form.
            const QString shown = step.after.at(id);
            EXPECT_TRUE(shown == expected || shown == field.DisplayForm(expected))
                << "result " << id << " shows " << shown.toStdString() << ", expected " << expected.toStdString()
                << " for the tempo " << m_tempo.toStdString();
        }
    }

private:
    QString m_tempo;
    bool m_round = false;
};

void Screenshots(const Calculator& delay, const SaveScreen& save)
{
    SaveShots(delay, save,
              {{{}, "delay"}, {TypeInto(IDC_BPM, "120"), "delay-120"}, {ClickOn(IDC_ROUND), "delay-120-rounded"}});
}

Expectations DelayExpectations()
{
    const AccessibleControl help {QAccessible::Button, QStringLiteral("Help")};
    Expectations e;
    e.tabChain = QStringList {"BPM", "Round Values", "OK", "Help"};
    e.controls = std::vector<AccessibleControl> {};
    for (const char* field :
         {"BPM", "4/4 Bar", "3/4 Bar", "1/2 Note", "1/4 Note", "1/8 Note", "1/16 Note", "1/32 Note"})
        e.controls->push_back({QAccessible::EditableText, QString::fromUtf8(field)});
    e.controls->push_back({QAccessible::CheckBox, QStringLiteral("Round Values")});
    e.controls->push_back(help);
    e.controls->push_back({QAccessible::Button, QStringLiteral("OK")});
    e.layoutFill = Typing {IDC_BPM, QStringLiteral("120")};
    e.contrastFill = Typing {IDC_BPM, QStringLiteral("120")};
    e.fromTheChooser = FromTheChooser {Qt::Key_Return, QStringLiteral("120"), IDC_QUARTER, 0};
    e.screenshots = Screenshots;
    e.randomCheck = [](CDialog& dlg) -> std::unique_ptr<CalculatorCheck> { return std::make_unique<DelayCheck>(dlg); };
    return e;
}

[[maybe_unused]] const bool g_registered = Register("Delay", DelayExpectations());

}  // namespace
