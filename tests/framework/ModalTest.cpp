// Modal runs: the owner is disabled for the run; the end codes of ok,
// cancel and a failed start; closing the window ends every run; an error
// raised in a handler is reported and the dialog goes on.

#include "framework/Dialog.h"
#include "framework/File.h"
#include "tests/framework/TestResources.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Waiting.h"

#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QPushButton* OkButton(CDialog& dlg)
{
    for (auto* button : Window(dlg)->findChildren<QPushButton*>(QStringLiteral("okButton")))
        if (button->isVisible())
            return button;
    return nullptr;
}

TEST(ModalRun, AnOwnerIsDisabledForTheRunAndEnabledAfter)
{
    CDialog owner(IDD_FIELD_AND_CHECK);
    RunModal(owner, [&] {
        ASSERT_TRUE(owner.GetSafeHwnd()->isEnabled());
        CDialog inner(IDD_FIELDS, &owner);
        bool ownerEnabledDuring = true;
        bool innerOnTop = false;
        When([&] { return inner.IsRunning(); },
             [&] {
                 ownerEnabledDuring = owner.GetSafeHwnd()->isEnabled();
                 innerOnTop = CDialog::GetActiveDialog() == &inner;
                 QTest::mouseClick(OkButton(inner), Qt::LeftButton);
             });
        EXPECT_EQ(inner.DoModal(), IDOK);

        EXPECT_TRUE(innerOnTop);
        EXPECT_FALSE(ownerEnabledDuring);
        EXPECT_TRUE(owner.GetSafeHwnd()->isEnabled());
        EXPECT_EQ(CDialog::GetActiveDialog(), &owner);
    });
}

// Moves the field's text into a member when the run ends with ok.
class TextDlg : public CDialog {
public:
    TextDlg() : CDialog(IDD_FIELD_AND_CHECK) {}
    CString text;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_FIELD, text); }
};

struct EndCase {
    const char* what;
    std::function<void(CDialog&)> end;
    int code;
    const char* textAfter;  // the member after the run
};

TEST(ModalRun, EndCodes)
{
    const EndCase cases[] = {
        {"ok button: exchange from the controls, then ok",
         [](CDialog& dlg) { QTest::mouseClick(OkButton(dlg), Qt::LeftButton); }, IDOK, "120"},
        {"Esc in the field: cancel, no exchange",
         [](CDialog&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }, IDCANCEL, ""},
        {"closing the window: cancel", [](CDialog& dlg) { Window(dlg)->close(); }, IDCANCEL, ""},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.what);
        TextDlg dlg;
        bool endedByAction = false;
        const int code = RunModal(dlg, [&] {
            ClickAndType(dlg, IDC_FIELD, QStringLiteral("120"));
            c.end(dlg);
            endedByAction = !dlg.IsRunning();
        });
        EXPECT_TRUE(endedByAction);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(dlg.text, QString::fromUtf8(c.textAfter));
    }
}

// Binds a control the template does not have.
class BrokenDlg : public CDialog {
public:
    explicit BrokenDlg(bool onlyWhenSaving) : CDialog(IDD_FIELD_AND_CHECK), m_onlyWhenSaving(onlyWhenSaving) {}

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (!m_onlyWhenSaving || pDX->m_bSaveAndValidate)
            DDX_Control(pDX, 4242, m_missing);
    }

private:
    bool m_onlyWhenSaving;
    CEdit m_missing;
};

TEST(ModalRun, FailedExchangeAtOpeningEndsTheRunWithMinusOne)
{
    BrokenDlg dlg(false);
    // Should a run start after all, end it so the test fails instead of hanging.
    QObject guard;
    QTimer::singleShot(3000, &guard, [&] { dlg.EndDialog(IDCANCEL); });
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(CDialog::GetActiveDialog(), nullptr);
}

TEST(ModalRun, FailedExchangeOnOkKeepsTheDialogRunning)
{
    BrokenDlg dlg(true);
    const int code = RunModal(dlg, [&] {
        QTest::mouseClick(OkButton(dlg), Qt::LeftButton);
        EXPECT_TRUE(dlg.IsRunning());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(code, IDCANCEL);
}

TEST(ModalRun, ClosingTheWindowEndsNestedRuns)
{
    CDialog outer(IDD_FIELD_AND_CHECK);
    int innerCode = 0;
    bool outerEndedToo = false;
    const int outerCode = RunModal(outer, [&] {
        CDialog inner(IDD_FIELDS, &outer);
        When([&] { return inner.IsRunning(); }, [&] { Window(inner)->close(); });
        innerCode = inner.DoModal();
        outerEndedToo = !outer.IsRunning();
    });
    EXPECT_EQ(innerCode, IDCANCEL);
    EXPECT_TRUE(outerEndedToo);
    EXPECT_EQ(outerCode, IDCANCEL);
    EXPECT_EQ(CDialog::GetActiveDialog(), nullptr);
}

// Its check box handler runs into a file error.
class ThrowingDlg : public CDialog {
public:
    ThrowingDlg() : CDialog(IDD_FIELD_AND_CHECK) {}
    int clicks = 0;

protected:
    void OnCheck()
    {
        ++clicks;
        throw CFileException(CFileException::fileNotFound);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ThrowingDlg, CDialog)
    ON_BN_CLICKED(IDC_CHECK, OnCheck)
END_MESSAGE_MAP()

TEST(ModalRun, AnErrorInAHandlerIsReportedAndTheDialogGoesOn)
{
    ThrowingDlg dlg;
    RunModal(dlg, [&] {
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        When([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
             [&] {
                 auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                 caption = box->windowTitle();
                 text = box->text();
                 icon = box->icon();
                 QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
             });
        QTest::mouseClick(Widget(dlg, IDC_CHECK), Qt::LeftButton);

        EXPECT_EQ(dlg.clicks, 1);
        EXPECT_EQ(caption, QString::fromUtf8(kTestAppTitle));
        EXPECT_EQ(icon, QMessageBox::Critical);
        EXPECT_EQ(text, QStringLiteral("an unnamed file was not found."));

        // The dialog is still the one running, and it still takes input.
        EXPECT_TRUE(dlg.IsRunning());
        EXPECT_EQ(CDialog::GetActiveDialog(), &dlg);
        ClickAndType(dlg, IDC_FIELD, QStringLiteral("60"));
        EXPECT_EQ(Text(dlg, IDC_FIELD), QStringLiteral("60"));
    });
}

}  // namespace
