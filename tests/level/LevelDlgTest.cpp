// The Level calculator driven by real keys and clicks.

#include "calc/level/LevelDlg.h"
#include "app/ChooserDlg.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Numbers.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QWheelEvent>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

constexpr int kValueFields[] = {IDC_DBU, IDC_DBV, IDC_DBM, IDC_POWER, IDC_VRMS, IDC_VPP};
constexpr int kUnitLists[] = {IDC_POWER_UNIT, IDC_VRMS_UNIT, IDC_VPP_UNIT};

// What the six value fields show, dBu first, peak-to-peak last.
QStringList Values(CDialog& dlg) { return Texts(dlg, kValueFields); }

QComboBox* Combo(CDialog& dlg, int id) { return qobject_cast<QComboBox*>(Widget(dlg, id)); }

// What the power, RMS and peak-to-peak unit lists show.
QStringList Units(CDialog& dlg)
{
    QStringList shown;
    for (int id : kUnitLists)
        shown << Combo(dlg, id)->currentText();
    return shown;
}

// Clicks a field, selects its whole text and types over it; no keys: deletes it.
void Retype(CDialog& dlg, int id, const QString& keys)
{
    ClickAndType(dlg, id, QString());
    QTest::keyClick(Widget(dlg, id), Qt::Key_A, Qt::ControlModifier);
    if (keys.isEmpty())
        QTest::keyClick(Widget(dlg, id), Qt::Key_Backspace);
    else
        QTest::keyClicks(Widget(dlg, id), keys);
}

// Opens a unit list with the mouse and picks the item with the keys.
void ChooseUnit(CDialog& dlg, int id, const QString& unit)
{
    QComboBox* combo = Combo(dlg, id);
    const int target = combo->findText(unit);
    ASSERT_GE(target, 0) << unit.toStdString();
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(list->isVisible());
    for (int i = combo->currentIndex(); i < target; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    for (int i = combo->currentIndex(); i > target; --i)
        QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(combo->currentText(), unit);
}

// The columns the text's ink covers inside the field's frame; {-1, -1} if none.
struct Ink {
    int left = -1;
    int right = -1;
};

Ink InkOf(QLineEdit* field)
{
    const QImage image = field->grab().toImage();
    Ink ink;
    for (int x = 2; x < image.width() - 2; ++x) {
        for (int y = 2; y < image.height() - 2; ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (ink.left < 0)
                    ink.left = x;
                ink.right = x;
                break;
            }
        }
    }
    return ink;
}

// The whole text shows, and it ends near the field's right edge.
void ExpectRightAligned(CDialog& dlg, int id)
{
    QLineEdit* field = Edit(dlg, id);
    SCOPED_TRACE(field->accessibleName().toStdString() + ": " + field->text().toStdString());
    ASSERT_FALSE(field->text().isEmpty());
    const int textWidth = field->fontMetrics().horizontalAdvance(field->text());
    ASSERT_LT(textWidth, field->width() - 20) << "pick a shorter text";
    const Ink ink = InkOf(field);
    EXPECT_GE(ink.right, field->width() - 10);
    EXPECT_NEAR(ink.right - ink.left + 1, textWidth, 4);
}

TEST(LevelDialog, OpensWithOnlyTheImpedanceFilled)
{
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        EXPECT_EQ(Values(dlg), QStringList(6, QString()));
        EXPECT_EQ(Text(dlg, IDC_OHMS), QStringLiteral("600"));
        EXPECT_EQ(Units(dlg), QStringList({"mW", "mV", "mV"}));
        EXPECT_FALSE(qobject_cast<QAbstractButton*>(Widget(dlg, IDC_EXP))->isChecked());

        // dBu has the focus, so the first keys go there and count as dBu.
        EXPECT_EQ(QApplication::focusWidget(), Widget(dlg, IDC_DBU));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("0"));
        EXPECT_EQ(Text(dlg, IDC_DBM), Local("0.0000"));
    });
}

TEST(LevelDialog, EveryFieldAndListHasAName)
{
    const std::pair<int, const char*> names[] = {
        {IDC_DBU, "dBu (\u00b1200)"},
        {IDC_DBV, "dBV (\u00b1200)"},
        {IDC_DBM, "dBm (\u00b1200)"},
        {IDC_POWER, "Power"},
        {IDC_VRMS, "Voltage (RMS)"},
        {IDC_VPP, "Voltage (p-p)"},
        {IDC_OHMS, "Ohms"},
        {IDC_POWER_UNIT, "Power unit"},
        {IDC_VRMS_UNIT, "Voltage (RMS) unit"},
        {IDC_VPP_UNIT, "Voltage (p-p) unit"},
    };
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        for (const auto& [id, name] : names)
            EXPECT_EQ(Widget(dlg, id)->accessibleName(), QString::fromUtf8(name)) << id;
    });
}

// A list's index is the engine's unit index: each list holds the engine's
// labels, in the engine's order, and nothing else.
TEST(LevelDialog, TheUnitListsHoldTheEnginesLabelsInItsUnitOrder)
{
    const auto items = [](QComboBox* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    };
    const auto labels = [](const auto& engineLabels) {
        QStringList texts;
        for (const char* label : engineLabels)
            texts << QString::fromUtf8(label);
        return texts;
    };
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        EXPECT_EQ(items(Combo(dlg, IDC_POWER_UNIT)), labels(CLevelModel::kPowerUnitLabels));
        EXPECT_EQ(items(Combo(dlg, IDC_VRMS_UNIT)), labels(CLevelModel::kVoltageUnitLabels));
        EXPECT_EQ(items(Combo(dlg, IDC_VPP_UNIT)), labels(CLevelModel::kVoltageUnitLabels));
    });
}

TEST(LevelDialog, ALevelTypedInAnyDBFieldFillsTheOthers)
{
    struct Case {
        int field;
        const char* keys;
        QStringList values;  // dBu, dBV, dBm, power, RMS, p-p
        QStringList units;   // power, RMS, p-p
    };
    const Case cases[] = {
        // 20 x log10(0.7745966692414834) = -2.2185 dBV; 1 mW; 774.5967 mV; 2.1909 V.
        {IDC_DBU,
         "0",
         {"0", Local("-2.2185"), Local("0.0000"), Local("1.0000"), Local("774.5967"), Local("2.1909")},
         {"mW", "mV", "V"}},
        {IDC_DBV,
         "0",
         {Local("2.2185"), "0", Local("2.2185"), Local("1.6667"), Local("1.0000"), Local("2.8284")},
         {"mW", "V", "V"}},
        // dBV -60: 1 mV, and 1e-6 / 600 W lies below the microwatt band.
        {IDC_DBV,
         "-60",
         {Local("-57.7815"), "-60", Local("-57.7815"), Local("1.6667"), Local("1.0000"), Local("2.8284")},
         {"nW", "mV", "mV"}},
        {IDC_DBM,
         "30",
         {Local("30.0000"), Local("27.7815"), "30", Local("1.0000"), Local("24.4949"), Local("69.2820")},
         {"W", "V", "V"}},
        {IDC_DBU,
         "200",
         {"200", Local("197.7815"), Local("200.0000"), Local("100000000.0000"), Local("7745.9667"),
          Local("21908.9023")},
         {"GW", "MV", "MV"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        CLevelDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, c.field, QString::fromLatin1(c.keys));
            EXPECT_EQ(Values(dlg), c.values);
            EXPECT_EQ(Units(dlg), c.units);
        });
    }
}

TEST(LevelDialog, APowerTypedInWattsKeepsItsUnitWhileTyping)
{
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_POWER, QString());
        ChooseUnit(dlg, IDC_POWER_UNIT, QStringLiteral("W"));
        Retype(dlg, IDC_POWER, QStringLiteral("1"));
        EXPECT_EQ(Values(dlg), QStringList({Local("30.0000"), Local("27.7815"), Local("30.0000"), "1", Local("24.4949"),
                                            Local("69.2820")}));
        EXPECT_EQ(Units(dlg), QStringList({"W", "V", "V"}));

        // 1000 W would be shown in kW, but not while the user types it in W.
        QTest::keyClicks(Widget(dlg, IDC_POWER), QStringLiteral("000"));
        EXPECT_EQ(Text(dlg, IDC_POWER), QStringLiteral("1000"));
        EXPECT_EQ(Text(dlg, IDC_DBU), Local("60.0000"));
        EXPECT_EQ(Text(dlg, IDC_DBM), Local("60.0000"));
        EXPECT_EQ(Units(dlg), QStringList({"W", "V", "V"}));
    });
}

TEST(LevelDialog, AnRmsVoltageIsTypedInTheUnitItsListShows)
{
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_VRMS, QStringLiteral("1000"));
        EXPECT_EQ(Values(dlg), QStringList({Local("2.2185"), Local("0.0000"), Local("2.2185"), Local("1.6667"), "1000",
                                            Local("2.8284")}));
        // 1 V would be shown in V, but the list stays as the user typed.
        EXPECT_EQ(Units(dlg), QStringList({"mW", "mV", "V"}));

        // After choosing V, the same keys mean a thousand times more.
        ChooseUnit(dlg, IDC_VRMS_UNIT, QStringLiteral("V"));
        Retype(dlg, IDC_VRMS, QStringLiteral("1000"));
        EXPECT_EQ(Text(dlg, IDC_DBV), Local("60.0000"));
        EXPECT_EQ(Units(dlg), QStringList({"kW", "V", "V"}));
    });
}

// An undefined result changes the engine's RMS unit but not the list: the
// keys typed next still count in the unit the list shows.
TEST(LevelDialog, AnRmsVoltageCountsInTheListsUnitAfterAnUndefinedResult)
{
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_DBU, QStringLiteral("10"));
        Retype(dlg, IDC_POWER, QStringLiteral("0"));
        ASSERT_EQ(Units(dlg).at(1), QStringLiteral("V"));
        Retype(dlg, IDC_VRMS, QStringLiteral("5"));
        EXPECT_EQ(Text(dlg, IDC_DBV), Local("13.9794"));  // 5 V, not 5 mV
    });
}

TEST(LevelDialog, ZeroPowerOrVoltageEmptiesTheOtherFields)
{
    struct Case {
        int field;
        QStringList values;
        QStringList units;
    };
    const Case cases[] = {
        // The power row leaves its unit alone; an RMS of 0 shows the power in W.
        {IDC_POWER, {"", "", "", "0", "", ""}, {"mW", "mV", "V"}},
        {IDC_VRMS, {"", "", "", "", "0", ""}, {"W", "mV", "V"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        CLevelDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
            Retype(dlg, c.field, QStringLiteral("0"));
            EXPECT_EQ(Values(dlg), c.values);
            EXPECT_EQ(Units(dlg), c.units);
            EXPECT_EQ(Text(dlg, IDC_OHMS), QStringLiteral("600"));

            // The next key counts again.
            QTest::keyClicks(Widget(dlg, c.field), QStringLiteral("1"));
            EXPECT_EQ(Text(dlg, c.field), QStringLiteral("01"));
            EXPECT_FALSE(Text(dlg, IDC_DBU).isEmpty());
        });
    }
}

TEST(LevelDialog, EmptyingTheTypedFieldEmptiesAllAndStopsImpedanceEdits)
{
    for (int field : {IDC_DBU, IDC_DBM, IDC_POWER, IDC_VRMS}) {
        SCOPED_TRACE(field);
        CLevelDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
            Retype(dlg, field, QStringLiteral("1"));
            QTest::keyClick(Widget(dlg, field), Qt::Key_Backspace);
            EXPECT_EQ(Values(dlg), QStringList(6, QString()));
            EXPECT_EQ(Text(dlg, IDC_OHMS), QStringLiteral("600"));

            // The impedance is taken, but nothing is shown until a value is typed.
            Retype(dlg, IDC_OHMS, QStringLiteral("8"));
            EXPECT_EQ(Values(dlg), QStringList(6, QString()));
            ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
            EXPECT_EQ(Text(dlg, IDC_POWER), Local("75.0000"));
        });
    }
}

TEST(LevelDialog, TheImpedanceRecomputesPowerAndDBmOnly)
{
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
        // 0.6 V^2 / 8 ohms = 75 mW; 10 x log10(75) = 18.7506 dBm.
        Retype(dlg, IDC_OHMS, QStringLiteral("8"));
        EXPECT_EQ(Values(dlg), QStringList({Local("0.0000"), Local("-2.2185"), Local("18.7506"), Local("75.0000"),
                                            Local("774.5967"), Local("2.1909")}));
        EXPECT_EQ(Units(dlg), QStringList({"mW", "mV", "V"}));

        // No impedance: no result.
        QTest::keyClick(Widget(dlg, IDC_OHMS), Qt::Key_Backspace);
        EXPECT_EQ(Text(dlg, IDC_OHMS), QString());
        EXPECT_EQ(Values(dlg), QStringList(6, QString()));
        EXPECT_EQ(Units(dlg), QStringList({"W", "mV", "V"}));
    });
}

TEST(LevelDialog, AnImpedanceEditBeforeAnyValueShowsNothingAndPowerInWatts)
{
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        Retype(dlg, IDC_OHMS, QStringLiteral("8"));
        EXPECT_EQ(Values(dlg), QStringList(6, QString()));
        EXPECT_EQ(Units(dlg), QStringList({"W", "mV", "mV"}));
    });
}

TEST(LevelDialog, ChoosingAUnitReExpressesOnlyItsField)
{
    struct Case {
        int list;
        const char* unit;
        int field;
        QString shown;
    };
    const Case cases[] = {
        {IDC_POWER_UNIT, "W", IDC_POWER, Local("0.0010")},  {IDC_POWER_UNIT, "\u00b5W", IDC_POWER, Local("1000.0000")},
        {IDC_POWER_UNIT, "GW", IDC_POWER, Local("0.0000")}, {IDC_VRMS_UNIT, "V", IDC_VRMS, Local("0.7746")},
        {IDC_VPP_UNIT, "mV", IDC_VPP, Local("2190.8902")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        CLevelDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
            QStringList expected = {Local("0.0000"), Local("-2.2185"),  Local("0.0000"),
                                    Local("1.0000"), Local("774.5967"), Local("2.1909")};
            expected[std::find(std::begin(kValueFields), std::end(kValueFields), c.field) - std::begin(kValueFields)] =
                c.shown;
            ChooseUnit(dlg, c.list, QString::fromUtf8(c.unit));
            EXPECT_EQ(Values(dlg), expected);
        });
    }
}

// Turns the mouse wheel over a widget, notches up (> 0) or down (< 0): the
// events go to the program's window, which hands them to the widget under
// the pointer.
void Wheel(QWidget* widget, int notches)
{
    const QPoint local(widget->width() / 2, widget->height() / 2);
    QWidget* window = widget->window();
    const QPoint delta(0, notches > 0 ? QWheelEvent::DefaultDeltasPerStep : -QWheelEvent::DefaultDeltasPerStep);
    for (int i = 0; i < std::abs(notches); ++i) {
        QWheelEvent wheel(widget->mapTo(window, local), widget->mapToGlobal(local), QPoint(), delta, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window->windowHandle(), &wheel);
    }
}

// A unit list moved by the wheel, its keys or its popup while its own field
// has the focus: that field shows the engine's value in the new unit, the
// rounded text is no new entry, and moving back shows the number again.
TEST(LevelDialog, AUnitChosenWhileItsFieldHasTheFocusOnlyReExpressesIt)
{
    auto wheel = [](int notches) { return [=](QComboBox* list) { Wheel(list, notches); }; };
    auto keys = [](int steps) {
        return [=](QComboBox* list) {
            for (int i = 0; i < std::abs(steps); ++i)
                QTest::keyClick(list, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        };
    };
    auto popup = [](int steps) {
        return [=](QComboBox* list) {
            list->showPopup();  // as a screen reader's "show menu" action opens it
            ASSERT_TRUE(list->view()->isVisible());
            for (int i = 0; i < std::abs(steps); ++i)
                QTest::keyClick(list->view(), steps > 0 ? Qt::Key_Down : Qt::Key_Up);
            QTest::keyClick(list->view(), Qt::Key_Return);
        };
    };
    struct Case {
        const char* what;
        int field;
        const char* typed;
        int list;
        std::function<void(QComboBox*)> there;
        const char* unit;
        QString shown;  // the field's text there
        std::function<void(QComboBox*)> back;
        QString shownBack;  // the field's text back in the first unit
    };
    const Case cases[] = {
        // Before: power 0.0000 and dBu, dBV, dBm, RMS and p-p empty; wheeling
        // back restored nothing.
        {"wheel, power", IDC_POWER, "1", IDC_POWER_UNIT, wheel(-4), "GW", Local("0.0000"), wheel(4), Local("1.0000")},
        {"keys, power", IDC_POWER, "1", IDC_POWER_UNIT, keys(1), "W", Local("0.0010"), keys(-1), Local("1.0000")},
        {"popup, power", IDC_POWER, "1", IDC_POWER_UNIT, popup(2), "kW", Local("0.0000"), popup(-2), Local("1.0000")},
        {"wheel, RMS", IDC_VRMS, "1000", IDC_VRMS_UNIT, wheel(-2), "kV", Local("0.0010"), wheel(2), Local("1000.0000")},
        {"keys, RMS", IDC_VRMS, "1000", IDC_VRMS_UNIT, keys(3), "MV", Local("0.0000"), keys(-3), Local("1000.0000")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLevelDlg dlg;
        RunModal(dlg, [&] {
            const auto at =
                std::find(std::begin(kValueFields), std::end(kValueFields), c.field) - std::begin(kValueFields);
            ClickAndType(dlg, c.field, QString::fromLatin1(c.typed));
            QStringList expected = Values(dlg);
            const QStringList units = Units(dlg);
            QComboBox* list = Combo(dlg, c.list);
            ASSERT_EQ(QApplication::focusWidget(), Widget(dlg, c.field));

            c.there(list);
            ASSERT_EQ(list->currentText(), QString::fromUtf8(c.unit));
            expected[at] = c.shown;
            EXPECT_EQ(Values(dlg), expected);

            c.back(list);
            EXPECT_EQ(Units(dlg), units);
            expected[at] = c.shownBack;
            EXPECT_EQ(Values(dlg), expected);
            // The engine kept the number typed: leaving the field changes nothing.
            QTest::keyClick(Widget(dlg, c.field), Qt::Key_Tab);
            EXPECT_EQ(Values(dlg), expected);
        });
    }
}

// Text dropped onto a field, or written into it by a screen reader, while
// another field has the focus: the field it lands on becomes the one being
// entered, and every other field follows it, as if it had been typed there.
TEST(LevelDialog, AnEditOfAFieldWithoutTheFocusIsEnteredThere)
{
    auto drop = [](const char* text) { return [=](QWidget* field) { DropText(field, QString::fromUtf8(text)); }; };
    auto reader = [](const char* text) {
        return [=](QWidget* field) { AccessibleEditor(field)->insertText(0, QString::fromUtf8(text)); };
    };
    struct Case {
        const char* what;
        int field;
        std::function<void(QWidget*)> edit;
        bool refused;
    };
    const Case cases[] = {
        // Before: the power showed 51.0000 mW while dBm still said 0.0000.
        {"drop 5 onto the power", IDC_POWER, drop("5"), false},
        // Before: the dropped dBV was overwritten at once.
        {"drop 5 onto dBV", IDC_DBV, drop("5"), false},
        {"drop 5 onto the RMS voltage", IDC_VRMS, drop("5"), false},
        {"drop 5 onto the impedance", IDC_OHMS, drop("5"), false},
        {"drop 5x onto the power", IDC_POWER, drop("5x"), true},
        {"drop 999999 onto the impedance, out of range", IDC_OHMS, drop("999999"), true},
        {"screen reader writes 1 into dBV", IDC_DBV, reader("1"), false},
        {"screen reader writes 2 into the power", IDC_POWER, reader("2"), false},
    };
    // On a desktop the edit often lands while another program's window is
    // active: the window asks to be activated, which the desktop grants
    // later. Before: such a drop was refused after the drag had been told
    // yes, and lost.
    for (const bool otherWindowActive : {false, true})
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            SCOPED_TRACE(otherWindowActive ? "another window active" : "this window active");
            CLevelDlg dlg;
            CLevelDlg typed;
            RunModal(dlg, [&] {
                ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
                QWidget otherProgram;
                if (otherWindowActive) {
                    otherProgram.show();
                    otherProgram.activateWindow();
                    ASSERT_TRUE(QTest::qWaitForWindowActive(&otherProgram));
                }
                const QStringList before = Values(dlg);
                QWidget* const focusBefore = Window(dlg)->focusWidget();

                c.edit(Widget(dlg, c.field));

                if (c.refused) {
                    // Told no as it hovered: the drop changes nothing, the
                    // focus and the active window included.
                    QApplication::processEvents();
                    EXPECT_EQ(Window(dlg)->focusWidget(), focusBefore);
                    EXPECT_EQ(Window(dlg)->isActiveWindow(), !otherWindowActive);
                    EXPECT_EQ(Values(dlg), before);
                    return;
                }
                if (otherWindowActive) {
                    otherProgram.hide();
                    ASSERT_TRUE(QTest::qWaitForWindowActive(Window(dlg)));
                }
                EXPECT_EQ(QApplication::focusWidget(), Widget(dlg, c.field));
                const QString entered = Text(dlg, c.field);
                const QStringList shown = Values(dlg);
                const QStringList units = Units(dlg);
                EXPECT_NE(shown, before);
                RunModal(typed, [&] {
                    ClickAndType(typed, IDC_DBU, QStringLiteral("0"));
                    Retype(typed, c.field, entered);
                    EXPECT_EQ(Values(typed), shown) << entered.toStdString();
                    EXPECT_EQ(Units(typed), units);
                });
            });
        }
}

// A drag is told while it hovers whether the field would take its text, so
// that a source which moves its text keeps it when the field would not.
TEST(LevelDialog, ADragHearsNoWhereTheDropWouldBeRefused)
{
    struct Case {
        const char* what;
        int field;
        const char* text;
        bool taken;
    };
    const Case cases[] = {
        {"a digit onto the power", IDC_POWER, "5", true},
        {"a digit onto the impedance", IDC_OHMS, "5", true},
        {"a letter onto the power", IDC_POWER, "5x", false},
        {"out of range onto the impedance", IDC_OHMS, "999999", false},
        {"a digit onto the read-only peak-to-peak voltage", IDC_VPP, "5", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLevelDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
            const QStringList before = Values(dlg);
            EXPECT_EQ(DragOver(Widget(dlg, c.field), QString::fromUtf8(c.text)), c.taken);
            EXPECT_EQ(Values(dlg), before);
        });
    }
}

// One edit of a field: the text from start to end replaced by text, by one
// road. For undo and redo the positions and text say what the edit does,
// and the road is Ctrl+Z or Ctrl+Shift+Z.
enum class Road { Typed, Paste, MenuDelete, Reader, Undo, Redo };

struct FieldEdit {
    Road road;
    int start;
    int end;
    const char* text;  // '.' for the user's separator
};

void SelectByKeys(QWidget* field, int start, int end)
{
    QTest::keyClick(field, Qt::Key_Home);
    for (int i = 0; i < start; ++i)
        QTest::keyClick(field, Qt::Key_Right);
    for (int i = start; i < end; ++i)
        QTest::keyClick(field, Qt::Key_Right, Qt::ShiftModifier);
}

void MakeEdit(QWidget* field, const FieldEdit& edit, Road road)
{
    const QString text = Local(edit.text);
    switch (road) {
    case Road::Typed:
        SelectByKeys(field, edit.start, edit.end);
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        else
            QTest::keyClicks(field, text);
        break;
    case Road::Paste:
        SelectByKeys(field, edit.start, edit.end);
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        break;
    case Road::MenuDelete:
        SelectByKeys(field, edit.start, edit.end);
        ASSERT_TRUE(ChooseFromContextMenu(field, QStringLiteral("Delete")));
        break;
    case Road::Reader: {
        QAccessibleEditableTextInterface* reader = AccessibleEditor(field);
        ASSERT_NE(reader, nullptr);
        if (edit.start == edit.end)
            reader->insertText(edit.start, text);
        else if (text.isEmpty())
            reader->deleteText(edit.start, edit.end);
        else
            reader->replaceText(edit.start, edit.end, text);
        break;
    }
    case Road::Undo: QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier); break;
    case Road::Redo: QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); break;
    }
}

// A paste, the field's menu, undo and redo, and a screen reader change a
// field as the same edit typed does: the key filter judges the characters
// the edit brings, not those already in the field (the exponent form's 'e'
// and '+'), and the range judges the text it leaves. Every other field
// follows an accepted edit, as it follows typing.
TEST(LevelDialog, AnEditByAnyRoadIsTakenAsTheSameEditTyped)
{
    using R = Road;
    struct Case {
        const char* what;
        int field;
        std::vector<FieldEdit> edits;
        const char* result;  // the field's text afterwards; '.' for the user's separator
    };
    // At 0 dBu with EXP checked, the power shows 1.000000e+00 and dBV -2.2185.
    const Case cases[] = {
        // Before: each of these was refused in the exponent form.
        {"paste 3 over the power's first digit", IDC_POWER, {{R::Paste, 0, 1, "3"}}, "3.000000e+00"},
        {"paste 25 over the power's first digit", IDC_POWER, {{R::Paste, 0, 1, "25"}}, "25.000000e+00"},
        {"menu Delete of the power's first digit", IDC_POWER, {{R::MenuDelete, 0, 1, ""}}, ".000000e+00"},
        {"menu Delete of the power's e+", IDC_POWER, {{R::MenuDelete, 8, 10, ""}}, "1.00000000"},
        {"screen reader inserts 5 before the power", IDC_POWER, {{R::Reader, 0, 0, "5"}}, "51.000000e+00"},
        {"screen reader writes 5 over the power's first digit", IDC_POWER, {{R::Reader, 0, 1, "5"}}, "5.000000e+00"},
        {"screen reader deletes the power's last digit", IDC_POWER, {{R::Reader, 11, 12, ""}}, "1.000000e+0"},
        // Refused, typed or not.
        {"paste x over the power's first digit", IDC_POWER, {{R::Paste, 0, 1, "x"}}, "1.000000e+00"},
        {"paste 4e2 over the power's first digit", IDC_POWER, {{R::Paste, 0, 1, "4e2"}}, "1.000000e+00"},
        {"paste a separator over the power's first digit", IDC_POWER, {{R::Paste, 0, 1, "."}}, "1.000000e+00"},
        {"paste a minus before the power: below 0", IDC_POWER, {{R::Paste, 0, 0, "-"}}, "1.000000e+00"},
        {"screen reader writes 2 after e+: too much power", IDC_POWER, {{R::Reader, 10, 10, "2"}}, "1.000000e+00"},
        // A plain field. (The power field has no undo: the dialog writes it
        // anew after every change, to keep it aligned.)
        {"paste 1 over a digit of dBV", IDC_DBV, {{R::Paste, 1, 2, "1"}}, "-1.2185"},
        {"screen reader appends 5 to dBV", IDC_DBV, {{R::Reader, 7, 7, "5"}}, "-2.21855"},
        {"menu Delete of dBV's sign", IDC_DBV, {{R::MenuDelete, 0, 1, ""}}, "2.2185"},
        {"undo of a digit typed into dBV", IDC_DBV, {{R::Typed, 7, 7, "3"}, {R::Undo, 7, 8, ""}}, "-2.2185"},
        {"redo of a digit typed into dBV",
         IDC_DBV,
         {{R::Typed, 1, 2, "3"}, {R::Undo, 1, 2, "2"}, {R::Redo, 1, 2, "3"}},
         "-3.2185"},
        {"undo of a Backspace over dBV's sign and first digit",
         IDC_DBV,
         {{R::Typed, 0, 2, ""}, {R::Undo, 0, 0, "-2"}},
         "-2.2185"},
        {"menu Delete of dBV's separator: below -200", IDC_DBV, {{R::MenuDelete, 2, 3, ""}}, "-2.2185"},
        {"paste 1e3 over a digit of dBV", IDC_DBV, {{R::Paste, 1, 2, "1e3"}}, "-2.2185"},
        {"screen reader writes 500 over a digit of dBV: below -200", IDC_DBV, {{R::Reader, 1, 2, "500"}}, "-2.2185"},
    };
    // Sets the dialog up and makes the case's edits, all typed or each by its
    // road; the texts and units just before the last edit are left in before.
    auto run = [](CLevelDlg& dlg, const Case& c, bool typed, QStringList& before) {
        ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
        QTest::mouseClick(Widget(dlg, IDC_EXP), Qt::LeftButton);
        ClickAndType(dlg, c.field, QString());
        for (const FieldEdit& edit : c.edits) {
            before = Values(dlg) + Units(dlg);
            MakeEdit(Widget(dlg, c.field), edit, typed ? Road::Typed : edit.road);
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLevelDlg dlg;
        CLevelDlg typed;
        RunModal(dlg, [&] {
            QStringList before;
            run(dlg, c, false, before);
            EXPECT_EQ(Text(dlg, c.field), Local(c.result));
            EXPECT_EQ(QApplication::focusWidget(), Widget(dlg, c.field));
            const QStringList shown = Values(dlg) + Units(dlg);
            if (shown == before)
                return;  // refused whole: nothing changed
            // Accepted: every field as after the same edit typed.
            RunModal(typed, [&] {
                QStringList typedBefore;
                run(typed, c, true, typedBefore);
                EXPECT_EQ(Values(typed) + Units(typed), shown);
            });
        });
    }
}

TEST(LevelDialog, ExpShowsThePowerInExponentForm)
{
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
        QTest::mouseClick(Widget(dlg, IDC_EXP), Qt::LeftButton);
        EXPECT_EQ(Values(dlg), QStringList({Local("0.0000"), Local("-2.2185"), Local("0.0000"), Local("1.000000e+00"),
                                            Local("774.5967"), Local("2.1909")}));
        // Visiting the field leaves the form as it is.
        ClickAndType(dlg, IDC_POWER, QString());
        QTest::keyClick(Widget(dlg, IDC_POWER), Qt::Key_Tab);
        EXPECT_EQ(Text(dlg, IDC_POWER), Local("1.000000e+00"));

        // A power typed meanwhile is rewritten in the same form when left.
        Retype(dlg, IDC_POWER, QStringLiteral("250"));
        QTest::keyClick(Widget(dlg, IDC_POWER), Qt::Key_Tab);
        EXPECT_EQ(Text(dlg, IDC_POWER), Local("2.500000e+02"));

        QTest::mouseClick(Widget(dlg, IDC_EXP), Qt::LeftButton);
        EXPECT_EQ(Text(dlg, IDC_POWER), Local("250.0000"));
        Retype(dlg, IDC_POWER, QStringLiteral("5"));
        QTest::keyClick(Widget(dlg, IDC_POWER), Qt::Key_Tab);
        EXPECT_EQ(Text(dlg, IDC_POWER), Local("5.0000"));
    });
}

TEST(LevelDialog, KeysOutsideAFieldsLimitsAreRefused)
{
    struct Case {
        int field;
        const char* keys;
        const char* text;  // what the field holds afterwards
    };
    const Case cases[] = {
        {IDC_DBU, "2001", "200"},
        {IDC_DBU, "-2001", "-200"},
        {IDC_DBV, "201", "20"},
        {IDC_DBV, "-201", "-20"},
        {IDC_DBM, "2000", "200"},
        {IDC_DBM, "-2010", "-200"},
        {IDC_POWER, "-1", "-"},
        {IDC_VRMS, "-1", "-"},
        // 1.7e17 W typed in mW is 1.7e20 mW: 2e20 is too much.
        {IDC_POWER, "200000000000000000000", "20000000000000000000"},
        // 1e10 V typed in mV is 1e13 mV: the fourteenth digit is one too many.
        {IDC_VRMS, "100000000000000", "10000000000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        CLevelDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, c.field, QString::fromLatin1(c.keys));
            EXPECT_EQ(Text(dlg, c.field), QString::fromLatin1(c.text));
        });
    }
}

TEST(LevelDialog, PowerAndVoltageLimitsFollowTheUnitShown)
{
    struct Case {
        const char* name;
        std::function<void(CDialog&)> setUp;
        int field;
        QString accepted;  // typed whole
        QString refused;   // its last key is refused
    };
    const QString zeros(26, QLatin1Char('0'));
    const Case cases[] = {
        // Limits: 1.7e17 W and 1e10 V.
        {"nW after auto-ranging", [](CDialog& dlg) { ClickAndType(dlg, IDC_DBV, QStringLiteral("-60")); }, IDC_POWER,
         "1" + zeros, "2" + zeros},
        {"GW chosen", [](CDialog& dlg) { ChooseUnit(dlg, IDC_POWER_UNIT, QStringLiteral("GW")); }, IDC_POWER,
         QStringLiteral("100000000"), QStringLiteral("200000000")},
        {"MV after auto-ranging", [](CDialog& dlg) { ClickAndType(dlg, IDC_DBU, QStringLiteral("200")); }, IDC_VRMS,
         QStringLiteral("10000"), QStringLiteral("10001")},
        {"V chosen", [](CDialog& dlg) { ChooseUnit(dlg, IDC_VRMS_UNIT, QStringLiteral("V")); }, IDC_VRMS,
         QStringLiteral("10000000000"), QStringLiteral("10000000001")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLevelDlg dlg;
        RunModal(dlg, [&] {
            c.setUp(dlg);
            Retype(dlg, c.field, c.accepted);
            EXPECT_EQ(Text(dlg, c.field), c.accepted);
            Retype(dlg, c.field, c.refused);
            EXPECT_EQ(Text(dlg, c.field), c.refused.chopped(1));
        });
    }
}

TEST(LevelDialog, SingleLineFieldsShowTheirTextAgainstTheRightEdge)
{
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        // Empty, the field shows its caret at the right edge.
        ClickAndType(dlg, IDC_POWER, QString());
        const Ink caret = InkOf(Edit(dlg, IDC_POWER));
        EXPECT_GE(caret.left, Edit(dlg, IDC_POWER)->width() - 10);

        // Written by the dialog.
        ClickAndType(dlg, IDC_DBU, QStringLiteral("0"));
        for (int id : {IDC_POWER, IDC_VRMS, IDC_VPP})
            ExpectRightAligned(dlg, id);

        // Typed by the user, with the caret moved back into the text.
        Retype(dlg, IDC_POWER, QStringLiteral("12"));
        QTest::keyClick(Widget(dlg, IDC_POWER), Qt::Key_Left);
        QTest::keyClick(Widget(dlg, IDC_POWER), Qt::Key_3);
        EXPECT_EQ(Text(dlg, IDC_POWER), QStringLiteral("132"));
        EXPECT_EQ(Edit(dlg, IDC_POWER)->cursorPosition(), 2);
        ExpectRightAligned(dlg, IDC_POWER);
        // A refused key leaves text and alignment as they were.
        QTest::keyClick(Widget(dlg, IDC_POWER), Qt::Key_Home);
        QTest::keyClick(Widget(dlg, IDC_POWER), Qt::Key_Minus);
        EXPECT_EQ(Text(dlg, IDC_POWER), QStringLiteral("132"));
        EXPECT_EQ(Edit(dlg, IDC_POWER)->cursorPosition(), 0);
        ExpectRightAligned(dlg, IDC_POWER);
        for (int id : {IDC_VRMS, IDC_VPP})
            ExpectRightAligned(dlg, id);

        Retype(dlg, IDC_VRMS, QStringLiteral("2"));
        QTest::keyClick(Widget(dlg, IDC_VRMS), Qt::Key_Home);
        QTest::keyClick(Widget(dlg, IDC_VRMS), Qt::Key_1);
        EXPECT_EQ(Text(dlg, IDC_VRMS), QStringLiteral("12"));
        EXPECT_EQ(Edit(dlg, IDC_VRMS)->cursorPosition(), 1);
        for (int id : {IDC_POWER, IDC_VRMS, IDC_VPP})
            ExpectRightAligned(dlg, id);

        // Every later write by the dialog lands there too.
        QTest::keyClick(Widget(dlg, IDC_VRMS), Qt::Key_Tab);
        Retype(dlg, IDC_DBU, QStringLiteral("-100"));
        for (int id : {IDC_POWER, IDC_VRMS, IDC_VPP})
            ExpectRightAligned(dlg, id);
    });
}

TEST(LevelDialog, TheChooserOpensItAndEveryOpeningStartsAfresh)
{
    CChooserDlg chooser;
    RunModal(chooser, [&] {
        for (int opening = 0; opening < 2; ++opening) {
            EXPECT_TRUE(OpenFromChooser(chooser, IDC_LEVEL, [&](CDialog& level) {
                EXPECT_EQ(level.GetCaption(), QStringLiteral("Level"));
                EXPECT_EQ(Values(level), QStringList(6, QString()));
                EXPECT_EQ(Units(level), QStringList({"mW", "mV", "mV"}));
                Retype(level, IDC_OHMS, QStringLiteral("8"));
                ChooseUnit(level, IDC_VPP_UNIT, QStringLiteral("kV"));
                ClickAndType(level, IDC_DBU, QStringLiteral("0"));
                EXPECT_EQ(Text(level, IDC_POWER), Local("75.0000"));
                level.EndDialog(IDOK);
            }));
        }
    });
}

}  // namespace
