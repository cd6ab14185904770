// What the shared suites expect of the Wave calculator: names, keyboard,
// layout, contrast, screenshots and its random-input check.

#include "calc/wave/WaveDlg.h"
#include "calc/wave/WaveModel.h"
#include "framework/File.h"
#include "framework/Text.h"
#include "res/resource.h"
#include "tests/support/CalculatorTests.h"

using namespace calculator_tests;
using namespace random_input;
using testing_support::ClickAndType;
using testing_support::RunModal;

namespace {

class WaveCheck : public CalculatorCheck {
public:
    // The second engine reads the table the dialog read.
    explicit WaveCheck(CDialog& dlg) : CalculatorCheck(dlg)
    {
        const std::vector<unsigned char> table = ReadWholeFile(CWaveDlg::TablePath());
        m_engine.LoadTable(table.data(), table.size());
    }

    std::vector<int> Fields() const override
    {
        return {IDC_FREQUENCY,          IDC_NOTE,       IDC_WAVELENGTH_CM,
                IDC_WAVELENGTH_FT,      IDC_PERIOD,     IDC_HALF_WAVELENGTH_CM,
                IDC_HALF_WAVELENGTH_FT, IDC_HALF_PERIOD};
    }
    std::vector<int> Inputs() const override { return {IDC_FREQUENCY, IDC_NOTE}; }
    std::vector<int> CheckBoxes() const override { return {}; }

    // A second engine, fed each input the user changes the way the
    // dialog's is; the results always show its values (or nothing, after a
    // note that is no name of the table).
    void Check(const Step& step) override
    {
        CNumEdit& frequency = *Field(m_dlg, IDC_FREQUENCY);
        if (step.Edited(IDC_FREQUENCY) && !step.after.at(IDC_FREQUENCY).isEmpty()) {
            m_engine.m_frequency = Value(frequency, step.after.at(IDC_FREQUENCY));
            m_engine.Compute();
            m_shown = true;
            m_engine.FindNote();
            EXPECT_EQ(step.after.at(IDC_NOTE), FromU16(m_engine.m_note)) << "the note of the frequency typed";
        }
        if (step.Edited(IDC_NOTE) && !step.after.at(IDC_NOTE).isEmpty()) {
            m_engine.SetNote(ToU16(step.after.at(IDC_NOTE)));
            m_shown = m_engine.FindFrequency();
            QString expected;
            if (m_shown)
                expected = frequency.FormatFixed(m_engine.m_frequency);
            EXPECT_EQ(step.after.at(IDC_FREQUENCY), expected) << "the frequency of the note typed";
        }
        const std::pair<int, double> results[] = {{IDC_WAVELENGTH_FT, m_engine.m_wavelengthFt},
                                                  {IDC_WAVELENGTH_CM, m_engine.m_wavelengthCm},
                                                  {IDC_HALF_WAVELENGTH_FT, m_engine.m_halfWavelengthFt},
                                                  {IDC_HALF_WAVELENGTH_CM, m_engine.m_halfWavelengthCm},
                                                  {IDC_HALF_PERIOD, m_engine.m_halfPeriodMs},
                                                  {IDC_PERIOD, m_engine.m_periodMs}};
        for (const auto& [id, value] : results) {
            QString expected;
            if (m_shown)
                expected = Field(m_dlg, id)->FormatFixed(value);
            EXPECT_EQ(step.after.at(id), expected) << "result " << id;
        }
    }

private:
    CWaveModel m_engine;
    bool m_shown = false;  // nothing is shown until the first input
};

void Screenshots(const Calculator& wave, const SaveScreen& save)
{
    SaveShots(wave, save, {{{}, "wave"}, {TypeInto(IDC_FREQUENCY, "440"), "wave-440"}});
    SaveShots(wave, save, {{TypeInto(IDC_NOTE, "c4"), "wave-c4"}});
}

Expectations WaveExpectations()
{
    Expectations e;
    e.tabChain = QStringList {"Frequency (Hz)", "Note (C0, C#0, ..., B9)", "OK", "Help"};
    e.controls = std::vector<AccessibleControl> {};
    for (const char* field : {"Frequency (Hz)", "Note (C0, C#0, ..., B9)", "Wavelength (cm)", "Wavelength (ft)",
                              "Period (ms)", "Wavelength/2 (cm)", "Wavelength/2 (ft)", "Period/2 (ms)"})
        e.controls->push_back({QAccessible::EditableText, QString::fromUtf8(field)});
    e.controls->push_back({QAccessible::Button, QStringLiteral("Help")});
    e.controls->push_back({QAccessible::Button, QStringLiteral("OK")});
    e.layoutFill = Typing {IDC_NOTE, QStringLiteral("c#9")};
    e.contrastFill = Typing {IDC_FREQUENCY, QStringLiteral("440")};
    // From the help button.
    e.fromTheChooser = FromTheChooser {Qt::Key_Space, QStringLiteral("440"), IDC_NOTE, 1};
    e.screenshots = Screenshots;
    e.randomCheck = [](CDialog& dlg) -> std::unique_ptr<CalculatorCheck> { return std::make_unique<WaveCheck>(dlg); };
    return e;
}

[[maybe_unused]] const bool g_registered = Register("Wave", WaveExpectations());

}  // namespace
