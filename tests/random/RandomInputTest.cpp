// Long seeded random streams of real events into each calculator: keys
// (digits, separators, '-', Backspace, Delete, Enter, letters, caret keys,
// select-all, undo), pastes of random text, focus changes by Tab and by click,
// unit-list choices and check boxes. After every event:
// - the dialog still runs;
// - a field's text that the user's own edit left is empty or in the field's
//   range as the field reads it (text mode: at most three characters), also
//   after later events changed the field's scale;
// - Tab changes no text but the display-form rewrite of the field it leaves;
// - the results shown are those of a fresh engine fed what the inputs show,
//   where the behaviour defines them (see each calculator's Check).
//
// SONAVOLTA_RANDOM_SEED picks the stream (default 1), SONAVOLTA_RANDOM_EVENTS
// its length per calculator (default 3000). A failure names the seed and the
// event, so the stream can be replayed up to it.

#include "calc/delay/DelayDlg.h"
#include "calc/delay/DelayModel.h"
#include "calc/level/LevelDlg.h"
#include "calc/level/LevelModel.h"
#include "calc/wave/WaveDlg.h"
#include "calc/wave/WaveModel.h"
#include "framework/File.h"
#include "framework/Text.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <vector>

using namespace testing_support;

namespace {

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback)
{
    bool ok = false;
    const std::uint64_t value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

CNumEdit* Field(CDialog& dlg, int id) { return dynamic_cast<CNumEdit*>(dlg.GetDlgItem(id)); }

QComboBox* Combo(CDialog& dlg, int id) { return qobject_cast<QComboBox*>(Widget(dlg, id)); }

bool Checked(CDialog& dlg, int id) { return qobject_cast<QAbstractButton*>(Widget(dlg, id))->isChecked(); }

double Value(const CNumEdit& field, QString text) { return field.ParseValue(text); }

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

// One calculator: its controls and what its results must be.
class Calculator {
public:
    virtual ~Calculator() = default;
    virtual CDialog& Dialog() = 0;
    // Edit fields, input and result alike; the first ones take typing.
    virtual std::vector<int> Fields() const = 0;
    virtual std::vector<int> Inputs() const = 0;
    virtual std::vector<int> CheckBoxes() const = 0;
    virtual std::vector<int> Lists() const { return {}; }
    // Checks the fields after an event, knowing what it did.
    virtual void Check(const Step& step) = 0;
};

class DelayCalculator : public Calculator {
public:
    CDialog& Dialog() override { return m_dlg; }
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
            QString expected;
            if (!m_tempo.isEmpty()) {
                if (round)
                    expected = field.FormatInteger(int(length + 0.5));
                else
                    expected = field.FormatFixed(length);
            }
            // A result field tapped and left shows its number in fixed form.
            const QString shown = step.after.at(id);
            EXPECT_TRUE(shown == expected || shown == field.DisplayForm(expected))
                << "result " << id << " shows " << shown.toStdString() << ", expected " << expected.toStdString()
                << " for the tempo " << m_tempo.toStdString();
        }
    }

private:
    CDelayDlg m_dlg;
    QString m_tempo;
    bool m_round = false;
};

class WaveCalculator : public Calculator {
public:
    // The second engine reads the table the dialog read.
    WaveCalculator()
    {
        const std::vector<unsigned char> table = ReadWholeFile(CWaveDlg::TablePath());
        m_engine.LoadTable(table.data(), table.size());
    }

    CDialog& Dialog() override { return m_dlg; }
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
    CWaveDlg m_dlg;
    CWaveModel m_engine;
    bool m_shown = false;  // nothing is shown until the first input
};

class LevelCalculator : public Calculator {
public:
    CDialog& Dialog() override { return m_dlg; }
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
            {IDC_VPP, fixed(IDC_VPP, model.GetVpp())}, {IDC_POWER, fixed(IDC_POWER, model.GetPower())}};
        if (model.m_bExp && !undefined)
            expected[IDC_POWER] = Field(m_dlg, IDC_POWER)->FormatExponent(model.GetPower());
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

    CLevelDlg m_dlg;
};

// Sends the events and runs the checks.
class Driver {
public:
    Driver(Calculator& calc, std::uint64_t seed) : m_calc(calc), m_dlg(calc.Dialog()), m_rng(seed)
    {
        const CNumEdit probe;
        m_decimal = probe.m_decimalSep;
        m_thousands = probe.m_thousandSep;
    }

    void Run(std::uint64_t seed, std::uint64_t events)
    {
        for (std::uint64_t i = 0; i < events && !testing::Test::HasFailure(); ++i) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", event " << i);
            // The screen is painted before the next event, as a user sees
            // it; where a click puts the caret depends on the painted layout.
            QApplication::processEvents();
            Step step;
            step.focusBefore = FocusId();
            step.before = Texts();
            const QString what = SendOne(step);
            SCOPED_TRACE(testing::Message() << what.toStdString() << " (focus before: " << step.focusBefore << ")");
            ASSERT_TRUE(m_dlg.IsRunning());
            step.after = Texts();
            CheckFields(step);
            m_calc.Check(step);
        }
    }

private:
    int Below(int n) { return int(m_rng() % std::uint64_t(n)); }
    template <typename T>
    T Pick(const std::vector<T>& v)
    {
        return v[Below(int(v.size()))];
    }

    int FocusId()
    {
        CWnd* wnd = CWnd::FromHandle(QApplication::focusWidget());
        return wnd && wnd->GetParent() == &m_dlg ? wnd->GetDlgCtrlID() : 0;
    }

    std::map<int, QString> Texts()
    {
        std::map<int, QString> texts;
        for (int id : m_calc.Fields())
            texts[id] = Text(m_dlg, id);
        return texts;
    }

    QString RandomText()
    {
        static const QString alphabet = QStringLiteral("0123456789012345678901234567890123456789-.,e+ aC#\u00A0\u202F");
        QString text;
        for (int n = Below(14); n > 0; --n)
            text += alphabet.at(Below(alphabet.size()));
        return text;
    }

    void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(w, key, modifiers);
    }

    void Char(QWidget* w, QChar c)
    {
        const Qt::Key key = c.unicode() < 0x80 ? Qt::Key(QChar(c).toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, w, key, QString(c), Qt::NoModifier);
    }

    void Click(QWidget* w)
    {
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier,
                          QPoint(1 + Below(std::max(1, w->width() - 2)), w->height() / 2));
    }

    // Sends one event and says what it was.
    QString SendOne(Step& step)
    {
        // A list opened by Space is closed again first, as a user would.
        if (QWidget* popup = QApplication::activePopupWidget()) {
            Key(popup, Qt::Key_Escape);
            step.focusBefore = FocusId();
            step.before = Texts();
        }
        QWidget* focus = QApplication::focusWidget();
        const bool ours = step.focusBefore != 0;
        const int roll = Below(100);

        // Focus changes, and whatever is needed to get back to our controls
        // (Tab can reach the navigation and command bars' buttons, where
        // other keys would close the dialog or start the help viewer).
        if (!ours || roll < 6) {
            if (focus && Below(4) != 0) {
                const bool back = Below(3) == 0;
                Key(focus, back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
                step.tab = true;
                return back ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab");
            }
            std::vector<int> targets = m_calc.Fields();
            for (int id : m_calc.CheckBoxes())
                targets.push_back(id);
            const int id = Pick(targets);
            Click(Widget(m_dlg, id));
            return QStringLiteral("click on %1").arg(id);
        }
        if (roll < 12) {
            std::vector<int> targets = m_calc.Inputs();
            for (int id : m_calc.CheckBoxes())
                targets.push_back(id);
            const int id = Pick(targets);
            Click(Widget(m_dlg, id));
            return QStringLiteral("click on %1").arg(id);
        }
        if (roll < 16 && !m_calc.Lists().empty())
            return ChooseUnit(Pick(m_calc.Lists()), step);

        step.edit = true;
        if (roll < 21) {
            const QString pasted = RandomText();
            QGuiApplication::clipboard()->setText(pasted);
            Key(focus, Qt::Key_V, Qt::ControlModifier);
            return "paste \"" + pasted + '"';
        }
        struct Special {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* name;
        };
        static const Special specials[] = {
            {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
            {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
            {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
            {Qt::Key_Delete, Qt::NoModifier, "Delete"},
            {Qt::Key_Return, Qt::NoModifier, "Enter"},
            {Qt::Key_Left, Qt::NoModifier, "Left"},
            {Qt::Key_Right, Qt::NoModifier, "Right"},
            {Qt::Key_Home, Qt::NoModifier, "Home"},
            {Qt::Key_End, Qt::NoModifier, "End"},
            {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
            {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
            {Qt::Key_Up, Qt::NoModifier, "Up"},
            {Qt::Key_Down, Qt::NoModifier, "Down"},
            {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
        };
        if (roll < 45) {
            const Special& s = specials[Below(int(std::size(specials)))];
            Key(focus, s.key, s.modifiers);
            return QString::fromLatin1(s.name);
        }
        // Typed characters: mostly digits, then separators and the sign,
        // some letters (the note field takes them) and spaces.
        QChar c;
        const int kind = Below(20);
        if (kind < 11)
            c = QChar('0' + Below(10));
        else if (kind < 13)
            c = m_decimal.at(0);
        else if (kind < 14)
            c = Below(2) ? QChar('.') : QChar(',');
        else if (kind < 15)
            c = m_thousands.isEmpty() ? QChar(' ') : m_thousands.at(0);
        else if (kind < 17)
            c = QChar('-');
        else
            c = QStringLiteral("ABCDEFGabcg#e ").at(Below(14));
        Char(focus, c);
        return QStringLiteral("key '%1'").arg(c);
    }

    // Opens a unit list with the mouse, moves in it with the keys and
    // takes an item with Enter. The click (a focus change) is checked as an
    // event of its own, since it rewrites the field it takes the focus from.
    QString ChooseUnit(int list, Step& step)
    {
        QComboBox* combo = Combo(m_dlg, list);
        Step click;
        click.focusBefore = FocusId();
        click.before = Texts();
        QTest::mouseClick(combo, Qt::LeftButton);
        click.after = Texts();
        CheckFields(click);
        m_calc.Check(click);

        step.before = click.after;
        step.focusBefore = list;
        step.choice = true;
        QAbstractItemView* view = combo->view();
        if (!view->isVisible())
            return QStringLiteral("click on list %1 (it did not open)").arg(list);
        const int moves = Below(5);
        const bool down = Below(2) == 0;
        for (int i = 0; i < moves; ++i)
            Key(view, down ? Qt::Key_Down : Qt::Key_Up);
        Key(view, Qt::Key_Return);
        return QStringLiteral("choice in list %1: %2 x %3").arg(list).arg(moves).arg(down ? "Down" : "Up");
    }

    // Checks that hold in every calculator.
    void CheckFields(const Step& step)
    {
        for (int id : m_calc.Fields()) {
            if (step.Changed(id))
                m_userText[id] = step.Edited(id);
            const CNumEdit& field = *Field(m_dlg, id);
            const QString text = step.after.at(id);
            if (m_userText[id]) {
                if (field.m_textMode)
                    EXPECT_LE(text.size(), CNumEdit::kTextModeLength) << "field " << id;
                else
                    EXPECT_TRUE(field.InRange(text)) << "field " << id << " holds " << text.toStdString()
                                                     << " out of its range (scale " << field.m_scale << ")";
            }
            if (step.tab) {
                const QString expected =
                    id == step.focusBefore ? field.DisplayForm(step.before.at(id)) : step.before.at(id);
                EXPECT_EQ(text, expected) << "field " << id << " after Tab";
            }
        }
    }

    Calculator& m_calc;
    CDialog& m_dlg;
    std::mt19937_64 m_rng;
    QString m_decimal;
    QString m_thousands;
    std::map<int, bool> m_userText;  // the field's text is the user's own edit
};

// The offscreen platform says so each time a unit list opens; in a stream
// of thousands of events that buries everything else.
QtMessageHandler g_defaultHandler = nullptr;

void QuietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        g_defaultHandler(type, context, message);
}

template <typename Calc>
void RunStream(std::uint64_t offset)
{
    if (!g_defaultHandler)
        g_defaultHandler = qInstallMessageHandler(QuietPlatform);
    const std::uint64_t seed = EnvNumber("SONAVOLTA_RANDOM_SEED", 1);
    const std::uint64_t events = EnvNumber("SONAVOLTA_RANDOM_EVENTS", 3000);
    auto calc = std::make_unique<Calc>();
    RunModal(calc->Dialog(), [&] {
        Driver driver(*calc, seed * 3 + offset);
        driver.Run(seed, events);
    });
    std::printf("seed %llu: %llu events\n", static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(events));
}

TEST(RandomInput, Delay) { RunStream<DelayCalculator>(0); }
TEST(RandomInput, Wave) { RunStream<WaveCalculator>(1); }
TEST(RandomInput, Level) { RunStream<LevelCalculator>(2); }

}  // namespace
