// Routing tables: a class's table chains to its base's; a notification a
// control reflects stays with the control; typed characters reach the
// control's WM_CHAR handler, and key presses its PreTranslateMessage first.

#include "framework/Dialog.h"
#include "tests/framework/TestResources.h"
#include "tests/support/DialogHarness.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testing_support;

namespace {

// ---------------------------------------------------------------- chaining

// A template with an input field and a check box.
class BaseDlg : public CDialog {
public:
    BaseDlg() : CDialog(IDD_FIELD_AND_CHECK) {}
    int baseClicks = 0;

protected:
    void OnCheck() { ++baseClicks; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseDlg, CDialog)
    ON_BN_CLICKED(IDC_CHECK, OnCheck)
END_MESSAGE_MAP()

// Adds an entry of its own and leaves the check box to its base.
class DerivedDlg : public BaseDlg {
public:
    int changes = 0;

protected:
    void OnChangeField() { ++changes; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedDlg, BaseDlg)
    ON_EN_CHANGE(IDC_FIELD, OnChangeField)
END_MESSAGE_MAP()

// Handles the check box itself: its entry comes before the base's.
class OverridingDlg : public BaseDlg {
public:
    int ownClicks = 0;

protected:
    void OnOwnCheck() { ++ownClicks; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OverridingDlg, BaseDlg)
    ON_BN_CLICKED(IDC_CHECK, OnOwnCheck)
END_MESSAGE_MAP()

TEST(Routing, TablesChainToTheBaseClass)
{
    DerivedDlg derived;
    RunModal(derived, [&] {
        QTest::mouseClick(Widget(derived, IDC_CHECK), Qt::LeftButton);
        ClickAndType(derived, IDC_FIELD, QStringLiteral("9"));
        EXPECT_EQ(derived.baseClicks, 1);
        EXPECT_EQ(derived.changes, 1);
    });

    OverridingDlg overriding;
    RunModal(overriding, [&] {
        QTest::mouseClick(Widget(overriding, IDC_CHECK), Qt::LeftButton);
        EXPECT_EQ(overriding.ownClicks, 1);
        EXPECT_EQ(overriding.baseClicks, 0);
    });
}

// ---------------------------------------------------------------- reflection

class SelfRewritingEdit : public CEdit {
public:
    int killFocus = 0;

protected:
    void OnKillFocus() { ++killFocus; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SelfRewritingEdit, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillFocus)
END_MESSAGE_MAP()

class ReflectDlg : public CDialog {
public:
    ReflectDlg() : CDialog(IDD_FIELD_AND_CHECK) {}
    SelfRewritingEdit field;
    int dialogKillFocus = 0;
    int dialogChanges = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_FIELD, field); }
    void OnKillFocusField() { ++dialogKillFocus; }
    void OnChangeField() { ++dialogChanges; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectDlg, CDialog)
    ON_EN_KILLFOCUS(IDC_FIELD, OnKillFocusField)
    ON_EN_CHANGE(IDC_FIELD, OnChangeField)
END_MESSAGE_MAP()

TEST(Routing, AReflectedNotificationStaysWithTheControl)
{
    ReflectDlg dlg;
    RunModal(dlg, [&] {
        ClickAndType(dlg, IDC_FIELD, QStringLiteral("9"));
        QTest::keyClick(Widget(dlg, IDC_FIELD), Qt::Key_Tab);  // to the check box

        EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_CHECK));
        EXPECT_EQ(dlg.field.killFocus, 1);
        EXPECT_EQ(dlg.dialogKillFocus, 0);
        // The control reflects only its kill-focus; the change goes on to the dialog.
        EXPECT_EQ(dlg.dialogChanges, 1);
    });
}

// ---------------------------------------------------------------- characters and keys

class ProbeEdit : public CEdit {
public:
    bool callDefault = true;
    UINT swallowKey = 0;  // a virtual key PreTranslateMessage swallows; 0 none
    std::vector<UINT> chars;

    bool PreTranslateMessage(MSG* msg) override
    {
        return swallowKey && msg->message == WM_KEYDOWN && msg->wParam == swallowKey;
    }

protected:
    void OnChar(UINT nChar, UINT, UINT)
    {
        chars.push_back(nChar);
        if (callDefault)
            Default();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

class ProbeDlg : public CDialog {
public:
    ProbeDlg() : CDialog(IDD_FIELD_AND_CHECK) {}
    ProbeEdit field;
    int changes = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_FIELD, field); }
    void OnChangeField() { ++changes; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeDlg, CDialog)
    ON_EN_CHANGE(IDC_FIELD, OnChangeField)
END_MESSAGE_MAP()

struct KeyCase {
    const char* what;
    bool callDefault;
    UINT swallowKey;
    const char* initial;
    std::vector<Qt::Key> keys;  // pressed after Home
    std::vector<UINT> chars;    // what OnChar saw
    const char* text;
    int changes;
};

TEST(Routing, CharactersAndKeysReachTheControlFirst)
{
    const KeyCase cases[] = {
        {"a digit, Default() inserts it", true, 0, "", {Qt::Key_7}, {'7'}, "7", 1},
        {"a digit the handler keeps out", false, 0, "", {Qt::Key_7}, {'7'}, "", 0},
        {"Backspace is a character, Default() deletes",
         true,
         0,
         "12",
         {Qt::Key_End, Qt::Key_Backspace},
         {VK_BACK},
         "1",
         1},
        {"Backspace the handler keeps out", false, 0, "12", {Qt::Key_End, Qt::Key_Backspace}, {VK_BACK}, "12", 0},
        {"a swallowed key never becomes a character", true, '7', "", {Qt::Key_7}, {}, "", 0},
        {"Delete, not swallowed", true, 0, "12", {Qt::Key_Delete}, {}, "2", 1},
        {"Delete, swallowed", true, VK_DELETE, "12", {Qt::Key_Delete}, {}, "12", 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        ProbeDlg dlg;
        RunModal(dlg, [&] {
            QWidget* field = Widget(dlg, IDC_FIELD);
            dlg.field.SetWindowText(QString::fromUtf8(c.initial));
            QTest::mouseClick(field, Qt::LeftButton);
            QTest::keyClick(field, Qt::Key_Home);
            dlg.field.callDefault = c.callDefault;
            dlg.field.swallowKey = c.swallowKey;
            dlg.changes = 0;

            for (Qt::Key k : c.keys)
                QTest::keyClick(field, k);

            EXPECT_EQ(dlg.field.chars, c.chars);
            EXPECT_EQ(Text(dlg, IDC_FIELD), QString::fromUtf8(c.text));
            EXPECT_EQ(dlg.changes, c.changes);
        });
    }
}

}  // namespace
