// The edit control's notification rules, which the dialogs depend on:
// EN_CHANGE once per user edit, once per program write into a single-line
// field (even of the same text), never for a program write into a multi-line
// one; EN_SETFOCUS / EN_KILLFOCUS as the focus moves; edits that are not
// typed characters (paste, undo, the field's menu, input methods, screen
// readers) are offered to AcceptsEditedText first.

#include "framework/Dialog.h"
#include "tests/framework/TestResources.h"
#include "tests/support/DialogHarness.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace testing_support;

namespace {

// A field whose verdict on non-typed edits the test sets; it remembers what
// it was asked.
class VetoEdit : public CEdit {
public:
    bool accept = true;
    std::vector<std::pair<CString, CString>> asked;

    bool AcceptsEditedText(const CString& oldText, const CString& newText) override
    {
        asked.emplace_back(oldText, newText);
        return accept;
    }
};

// Three multi-line fields and a single-line one.
class NotifyDlg : public CDialog {
public:
    NotifyDlg() : CDialog(IDD_FIELDS) {}

    VetoEdit single;  // IDC_SINGLE
    VetoEdit multi;   // IDC_MULTI
    std::map<std::pair<UINT, int>, int> counts;
    // Fields whose EN_KILLFOCUS ran while they still had the focus.
    std::vector<int> killedWhileFocused;

    int Count(UINT code, int id) const
    {
        const auto it = counts.find({code, id});
        return it == counts.end() ? 0 : it->second;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_SINGLE, single);
        DDX_Control(pDX, IDC_MULTI, multi);
    }

    template <int id>
    void OnChange()
    {
        ++counts[{EN_CHANGE, id}];
    }
    template <int id>
    void OnSetFocus()
    {
        ++counts[{EN_SETFOCUS, id}];
    }
    template <int id>
    void OnKillFocus()
    {
        ++counts[{EN_KILLFOCUS, id}];
        if (CWnd::GetFocus() == GetDlgItem(id))
            killedWhileFocused.push_back(id);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NotifyDlg, CDialog)
    ON_EN_CHANGE(IDC_SINGLE, OnChange<IDC_SINGLE>)
    ON_EN_CHANGE(IDC_MULTI, OnChange<IDC_MULTI>)
    ON_EN_CHANGE(IDC_MULTI2, OnChange<IDC_MULTI2>)
    ON_EN_SETFOCUS(IDC_SINGLE, OnSetFocus<IDC_SINGLE>)
    ON_EN_SETFOCUS(IDC_MULTI, OnSetFocus<IDC_MULTI>)
    ON_EN_SETFOCUS(IDC_MULTI2, OnSetFocus<IDC_MULTI2>)
    ON_EN_SETFOCUS(IDC_MULTI3, OnSetFocus<IDC_MULTI3>)
    ON_EN_KILLFOCUS(IDC_SINGLE, OnKillFocus<IDC_SINGLE>)
    ON_EN_KILLFOCUS(IDC_MULTI, OnKillFocus<IDC_MULTI>)
    ON_EN_KILLFOCUS(IDC_MULTI2, OnKillFocus<IDC_MULTI2>)
    ON_EN_KILLFOCUS(IDC_MULTI3, OnKillFocus<IDC_MULTI3>)
END_MESSAGE_MAP()

using Step = std::function<void(NotifyDlg&, int id)>;

// Clicks at the field's right end (the caret goes to the end of the text)
// and types.
Step Type(const char* keys)
{
    return [keys](NotifyDlg& dlg, int id) { ClickAndType(dlg, id, QString::fromUtf8(keys)); };
}

Step Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return [=](NotifyDlg& dlg, int id) {
        ClickAndType(dlg, id, {});
        QTest::keyClick(Widget(dlg, id), key, modifiers);
    };
}

Step Write(const char* text)
{
    return [text](NotifyDlg& dlg, int id) { dlg.GetDlgItem(id)->SetWindowText(QString::fromUtf8(text)); };
}

// The field says whether the program's writes notify, whatever its style.
Step WritesNotify(bool notify)
{
    return
        [notify](NotifyDlg& dlg, int id) { static_cast<CEdit*>(dlg.GetDlgItem(id))->SetProgramWritesNotify(notify); };
}

Step Paste(const char* text)
{
    return [text](NotifyDlg& dlg, int id) {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
        Press(Qt::Key_V, Qt::ControlModifier)(dlg, id);
    };
}

const Step Undo = Press(Qt::Key_Z, Qt::ControlModifier);

struct ChangeCase {
    const char* what;
    int id;
    Step prepare;      // not counted
    bool refuse;       // AcceptsEditedText answers false
    Step act;          // counted
    int changes;       // EN_CHANGE notifications act raises
    const char* text;  // the field's text afterwards
    // The one question put to AcceptsEditedText, or none (nullptr).
    const char* askedOld;
    const char* askedNew;
};

TEST(EditNotifications, ChangeCountsFollowTheRules)
{
    const int S = IDC_SINGLE;  // single-line
    const int M = IDC_MULTI;   // multi-line
    const ChangeCase cases[] = {
        {"typed keys, single-line", S, Write(""), false, Type("12"), 2, "12", nullptr, nullptr},
        {"typed keys, multi-line", M, Write(""), false, Type("12"), 2, "12", nullptr, nullptr},
        {"Backspace on an empty single-line field", S, Write(""), false, Press(Qt::Key_Backspace), 0, "", nullptr,
         nullptr},
        {"Backspace on an empty multi-line field", M, Write(""), false, Press(Qt::Key_Backspace), 0, "", nullptr,
         nullptr},
        {"Backspace removes a character", M, Write("12"), false, Press(Qt::Key_Backspace), 1, "1", nullptr, nullptr},
        {"program write, single-line", S, Write(""), false, Write("5"), 1, "5", nullptr, nullptr},
        {"program write of the same text, single-line", S, Write("5"), false, Write("5"), 1, "5", nullptr, nullptr},
        {"program write, multi-line", M, Write(""), false, Write("5"), 0, "5", nullptr, nullptr},
        {"program write of the same text, multi-line", M, Write("5"), false, Write("5"), 0, "5", nullptr, nullptr},
        {"program write, multi-line, its writes told to notify", M, WritesNotify(true), false, Write("5"), 1, "5",
         nullptr, nullptr},
        {"program write, single-line, its writes told not to", S, WritesNotify(false), false, Write("5"), 0, "5",
         nullptr, nullptr},
        {"paste accepted, single-line", S, Write("12"), false, Paste("34"), 1, "1234", "12", "1234"},
        {"paste accepted, multi-line", M, Write("12"), false, Paste("34"), 1, "1234", "12", "1234"},
        {"paste refused, single-line", S, Write("12"), true, Paste("34"), 0, "12", "12", "1234"},
        {"paste refused, multi-line", M, Write("12"), true, Paste("34"), 0, "12", "12", "1234"},
        {"undo accepted", S, Type("12"), false, Undo, 1, "", "12", ""},
        {"undo refused", M, Type("12"), true, Undo, 0, "12", "12", ""},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.what);
        NotifyDlg dlg;
        RunModal(dlg, [&] {
            VetoEdit& field = c.id == S ? dlg.single : dlg.multi;
            c.prepare(dlg, c.id);
            dlg.counts.clear();
            field.asked.clear();
            field.accept = !c.refuse;

            c.act(dlg, c.id);

            EXPECT_EQ(dlg.Count(EN_CHANGE, c.id), c.changes);
            EXPECT_EQ(Text(dlg, c.id), QString::fromUtf8(c.text));
            if (c.askedOld) {
                ASSERT_EQ(field.asked.size(), 1u);
                EXPECT_EQ(field.asked[0].first, QString::fromUtf8(c.askedOld));
                EXPECT_EQ(field.asked[0].second, QString::fromUtf8(c.askedNew));
            } else {
                EXPECT_TRUE(field.asked.empty());
            }
        });
    }
}

// Every road by which text reaches a field other than a typed key.
struct Road {
    const char* what;
    // Acts on a field that holds "12" with its first character selected.
    std::function<void(NotifyDlg&, int id)> act;
    const char* after;           // the text it gives, if accepted
    const char* selected = "1";  // the selection a refusal leaves
};

Step Menu(const char* item)
{
    return [item](NotifyDlg& dlg, int id) { ASSERT_TRUE(ChooseFromContextMenu(Widget(dlg, id), item)) << item; };
}

Step Accessible(std::function<void(QAccessibleEditableTextInterface*)> edit)
{
    return [edit](NotifyDlg& dlg, int id) {
        QAccessibleEditableTextInterface* editor = AccessibleEditor(Widget(dlg, id));
        ASSERT_NE(editor, nullptr);
        edit(editor);
    };
}

TEST(EditNotifications, EditsOffTheKeyboardAreCheckedWhateverTheirRoad)
{
    const Road roads[] = {
        {"Ctrl+V",
         [](NotifyDlg& dlg, int id) {
             QGuiApplication::clipboard()->setText(QStringLiteral("34"));
             QTest::keyClick(Widget(dlg, id), Qt::Key_V, Qt::ControlModifier);
         },
         "342"},
        {"menu Paste",
         [](NotifyDlg& dlg, int id) {
             QGuiApplication::clipboard()->setText(QStringLiteral("34"));
             Menu("Paste")(dlg, id);
         },
         "342"},
        {"menu Delete", Menu("Delete"), "2"},
        {"menu Cut", Menu("Cut"), "2"},
        {"menu Select All, then Delete",
         [](NotifyDlg& dlg, int id) {
             Menu("Select All")(dlg, id);
             Menu("Delete")(dlg, id);
         },
         "", "12"},
        {"input method commit",
         [](NotifyDlg& dlg, int id) {
             QInputMethodEvent commit;
             commit.setCommitString(QStringLiteral("34"));
             QApplication::sendEvent(Widget(dlg, id), &commit);
         },
         "342"},
        {"screen reader replaces", Accessible([](auto* e) { e->replaceText(0, 2, QStringLiteral("56")); }), "56"},
        {"screen reader inserts", Accessible([](auto* e) { e->insertText(2, QStringLiteral("3")); }), "123"},
        {"screen reader deletes", Accessible([](auto* e) { e->deleteText(0, 1); }), "2"},
        {"screen reader sets the value",
         [](NotifyDlg& dlg, int id) {
             QAccessible::queryAccessibleInterface(Widget(dlg, id))->setText(QAccessible::Value, QStringLiteral("78"));
         },
         "78"},
    };
    for (const int id : {IDC_SINGLE, IDC_MULTI}) {
        for (const Road& road : roads) {
            for (const bool refuse : {false, true}) {
                SCOPED_TRACE(std::string(road.what) + (refuse ? ", refused" : ", accepted") + " in "
                             + std::to_string(id));
                NotifyDlg dlg;
                RunModal(dlg, [&] {
                    VetoEdit& field = id == IDC_SINGLE ? dlg.single : dlg.multi;
                    QLineEdit* edit = Edit(dlg, id);
                    ClickAndType(dlg, id, QStringLiteral("12"));
                    edit->setSelection(0, 1);
                    dlg.counts.clear();
                    field.asked.clear();
                    field.accept = !refuse;

                    road.act(dlg, id);

                    ASSERT_EQ(field.asked.size(), 1u);
                    EXPECT_EQ(field.asked[0].first, QStringLiteral("12"));
                    EXPECT_EQ(field.asked[0].second, QString::fromUtf8(road.after));
                    if (refuse) {
                        EXPECT_EQ(edit->text(), QStringLiteral("12"));
                        EXPECT_EQ(edit->selectionStart(), 0);
                        EXPECT_EQ(edit->selectedText(), QString::fromUtf8(road.selected));
                        EXPECT_EQ(dlg.Count(EN_CHANGE, id), 0);
                    } else {
                        EXPECT_EQ(edit->text(), QString::fromUtf8(road.after));
                        EXPECT_EQ(dlg.Count(EN_CHANGE, id), 1);
                    }
                });
            }
        }
    }
}

TEST(EditNotifications, MenuUndoAndRedoAreChecked)
{
    for (const bool refuse : {false, true}) {
        SCOPED_TRACE(refuse ? "refused" : "accepted");
        NotifyDlg dlg;
        RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_MULTI, QStringLiteral("12"));
            dlg.multi.accept = !refuse;
            dlg.counts.clear();
            ASSERT_TRUE(ChooseFromContextMenu(Widget(dlg, IDC_MULTI), QStringLiteral("Undo")));
            EXPECT_EQ(Text(dlg, IDC_MULTI), refuse ? QStringLiteral("12") : QString());
            EXPECT_EQ(dlg.Count(EN_CHANGE, IDC_MULTI), refuse ? 0 : 1);
            if (refuse)
                return;
            ASSERT_TRUE(ChooseFromContextMenu(Widget(dlg, IDC_MULTI), QStringLiteral("Redo")));
            EXPECT_EQ(Text(dlg, IDC_MULTI), QStringLiteral("12"));
            EXPECT_EQ(dlg.Count(EN_CHANGE, IDC_MULTI), 2);
            ASSERT_EQ(dlg.multi.asked.size(), 2u);
            EXPECT_EQ(dlg.multi.asked[1], std::make_pair(QString(), QStringLiteral("12")));
        });
    }
}

// A screen reader may edit a field that does not have the focus: the field
// takes the focus first, as the field being entered; a read-only field takes
// no edit at all.
TEST(EditNotifications, AnEditFromOutsideGoesToAFocusedFieldOrNowhere)
{
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "editable");
        NotifyDlg dlg;
        RunModal(dlg, [&] {
            dlg.multi.SetReadOnly(readOnly);
            ClickAndType(dlg, IDC_MULTI2, QString());
            dlg.counts.clear();

            AccessibleEditor(Widget(dlg, IDC_MULTI))->insertText(0, QStringLiteral("7"));

            EXPECT_EQ(Text(dlg, IDC_MULTI), readOnly ? QString() : QStringLiteral("7"));
            EXPECT_EQ(dlg.Count(EN_CHANGE, IDC_MULTI), readOnly ? 0 : 1);
            EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(readOnly ? IDC_MULTI2 : IDC_MULTI));
            EXPECT_EQ(dlg.Count(EN_KILLFOCUS, IDC_MULTI2), readOnly ? 0 : 1);
            EXPECT_EQ(dlg.Count(EN_SETFOCUS, IDC_MULTI), readOnly ? 0 : 1);
        });
    }
}

struct FocusCase {
    const char* what;
    int from;
    std::function<void(NotifyDlg&)> move;
    int to;
};

TEST(EditNotifications, FocusChangesNotifyBothFields)
{
    auto click = [](int id) { return [id](NotifyDlg& dlg) { QTest::mouseClick(Widget(dlg, id), Qt::LeftButton); }; };
    auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return [=](NotifyDlg&) { QTest::keyClick(QApplication::focusWidget(), k, m); };
    };
    const FocusCase cases[] = {
        {"click from multi-line to single-line", IDC_MULTI, click(IDC_SINGLE), IDC_SINGLE},
        {"click from single-line to multi-line", IDC_SINGLE, click(IDC_MULTI2), IDC_MULTI2},
        {"Tab to the next field in template order", IDC_MULTI, key(Qt::Key_Tab), IDC_MULTI2},
        {"Shift+Tab back", IDC_MULTI2, key(Qt::Key_Backtab, Qt::ShiftModifier), IDC_MULTI},
        {"Tab from a multi-line to a single-line field", IDC_MULTI3, key(Qt::Key_Tab), IDC_SINGLE},
    };
    const int fields[] = {IDC_SINGLE, IDC_MULTI, IDC_MULTI2, IDC_MULTI3};
    for (const FocusCase& c : cases) {
        SCOPED_TRACE(c.what);
        NotifyDlg dlg;
        RunModal(dlg, [&] {
            dlg.GetDlgItem(c.from)->SetFocus();
            ASSERT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(c.from));
            dlg.counts.clear();

            c.move(dlg);

            EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(c.to));
            for (int id : fields) {
                SCOPED_TRACE(id);
                EXPECT_EQ(dlg.Count(EN_SETFOCUS, id), id == c.to ? 1 : 0);
                EXPECT_EQ(dlg.Count(EN_KILLFOCUS, id), id == c.from ? 1 : 0);
                EXPECT_EQ(dlg.Count(EN_CHANGE, id), 0);
            }
            EXPECT_TRUE(dlg.killedWhileFocused.empty());
        });
    }
}

}  // namespace
