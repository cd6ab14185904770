// Long seeded random streams of real events into each calculator: keys
// (digits, separators, '-', Backspace, Delete, Enter, letters, caret keys,
// select-all, undo), pastes of random text, focus changes by Tab and by click,
// unit-list choices and check boxes. After every event:
// - the dialog still runs;
// - a field's text that the user's own edit left is empty or in the field's
//   range as the field reads it (text mode: at most three characters), also
//   after later events changed the field's scale;
// - Tab changes no text but the rewrite of the field it leaves, whose text
//   is written out here from the rules (TextAfterLeaving);
// - the results shown are those of a fresh engine fed what the inputs show,
//   where the behaviour defines them (each calculator's check, registered in
//   tests/<anchor>/).
//
// SONAVOLTA_RANDOM_SEED picks the stream (default 1), SONAVOLTA_RANDOM_EVENTS
// its length per calculator (default 3000). A failure names the seed and the
// event, so the stream can be replayed up to it.

#include "app/Calculators.h"
#include "tests/random/RandomCheck.h"
#include "tests/support/CalculatorTests.h"
#include "tests/support/DialogHarness.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace testing_support;
using namespace random_input;

namespace {

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback)
{
    bool ok = false;
    const std::uint64_t value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// The number a field's text shows, read as the user reads it: group
// separators (and any space, where the group separator is a space) left out,
// '.', ',' and the user's decimal separator as the decimal point; as much of
// the text as is a number, 0 for none.
double NumberShown(const CNumEdit& field, const QString& text, bool whole)
{
    const QChar group = field.m_thousandSep.isEmpty() ? QChar() : field.m_thousandSep.at(0);
    const auto spaceLike = [](QChar c) { return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F); };
    std::string plain;
    for (QChar c : text) {
        if (!group.isNull() && (c == group || (spaceLike(group) && spaceLike(c))))
            continue;
        if (c == QChar('.') || c == QChar(',') || c == field.m_decimalSep.at(0))
            plain += whole ? 'x' : '.';  // a whole number ends at the decimal point
        else
            plain += c.unicode() < 0x80 ? char(c.unicode()) : 'x';
    }
    double value = 0;
    if (whole) {
        long long integer = 0;
        std::from_chars(plain.data(), plain.data() + plain.size(), integer);
        value = double(std::clamp<long long>(integer, INT_MIN, INT_MAX));
    } else {
        std::from_chars(plain.data(), plain.data() + plain.size(), value);
    }
    return value;
}

// What leaving a field makes of its text, written out from the rules rather
// than asked of the field: an empty text, and any text of a text-mode field,
// stays; else the number is written again in the field's form (fixed with its
// decimals, a whole number, or exponent form) with the user's decimal
// separator and no group separators. A number too small for the decimals
// keeps the decimals it needs; a form that would leave the field's range is
// not taken, and the text stays.
QString TextAfterLeaving(const CNumEdit& field, const QString& before)
{
    if (before.isEmpty() || field.m_textMode)
        return before;
    const auto inRange = [&](const QString& text) {
        const double v = NumberShown(field, text, false) * field.m_scale;
        return !(field.m_checkMax && v > field.m_max) && !(field.m_checkMin && v < field.m_min);
    };
    const auto written = [&](std::chars_format format, int precision) {
        char buffer[400];
        const double value = NumberShown(field, before, false);
        const auto end = precision < 0 ? std::to_chars(buffer, buffer + sizeof buffer, value, format).ptr
                                       : std::to_chars(buffer, buffer + sizeof buffer, value, format, precision).ptr;
        return QString::fromLatin1(buffer, int(end - buffer)).replace(QChar('.'), field.m_decimalSep.at(0));
    };
    QString after;
    switch (field.m_displayMode) {
    case CNumEdit::DisplayInteger: after = QString::number(int(NumberShown(field, before, true))); break;
    case CNumEdit::DisplayExponent: after = written(std::chars_format::scientific, 6); break;
    default:
        after = written(std::chars_format::fixed, field.m_precision);
        if (!inRange(after) && inRange(before)) {
            after = written(std::chars_format::fixed, -1);
            const int point = after.indexOf(field.m_decimalSep.at(0));
            const int decimals = point < 0 ? 0 : int(after.size()) - point - 1;
            if (decimals < field.m_precision)
                after += (point < 0 ? field.m_decimalSep : QString()) + QString(field.m_precision - decimals, u'0');
        }
        break;
    }
    return !inRange(after) && inRange(before) ? before : after;
}

// Sends the events and runs the checks.
class Driver {
public:
    Driver(CDialog& dlg, CalculatorCheck& calc, std::seed_seq& seed) : m_calc(calc), m_dlg(dlg), m_rng(seed)
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
                    id == step.focusBefore ? TextAfterLeaving(field, step.before.at(id)) : step.before.at(id);
                EXPECT_EQ(text, expected) << "field " << id << " after Tab";
            }
        }
    }

    CalculatorCheck& m_calc;
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

// Each calculator's stream is its own: the seed and the calculator's name
// together seed it, so no two calculators share a stream, whatever the seed.
void RunStream(const Calculator& calculator)
{
    if (!g_defaultHandler)
        g_defaultHandler = qInstallMessageHandler(QuietPlatform);
    const auto* makeCheck =
        calculator_tests::Expect(calculator, &calculator_tests::Expectations::randomCheck, "its random-input check");
    if (!makeCheck)
        return;
    const std::uint64_t seed = EnvNumber("SONAVOLTA_RANDOM_SEED", 1);
    const std::uint64_t events = EnvNumber("SONAVOLTA_RANDOM_EVENTS", 3000);
    const std::unique_ptr<CDialog> dlg = calculator.make();
    const std::unique_ptr<CalculatorCheck> check = (*makeCheck)(*dlg);
    RunModal(*dlg, [&] {
        const std::string name = calculator.name;
        std::seed_seq streamSeed {std::uint32_t(seed), std::uint32_t(seed >> 32),
                                  std::uint32_t(std::hash<std::string> {}(name))};
        Driver driver(*dlg, *check, streamSeed);
        driver.Run(seed, events);
    });
    std::printf("seed %llu: %llu events\n", static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(events));
}

// A test per calculator of the list, named after it (RandomInput.Delay).
class RandomInput : public testing::Test {
public:
    explicit RandomInput(const Calculator& calculator) : m_calculator(calculator) {}
    void TestBody() override { RunStream(m_calculator); }

private:
    const Calculator& m_calculator;
};

[[maybe_unused]] const bool g_registered = [] {
    for (const Calculator& calculator : Calculators())
        testing::RegisterTest("RandomInput", calculator.name, nullptr, nullptr, __FILE__, __LINE__,
                              [&calculator]() -> testing::Test* { return new RandomInput(calculator); });
    return true;
}();

}  // namespace
