// The result field: a result tapped and left shows its number in fixed form,
// by its own rule, whatever entry-field settings it carries; it takes no
// typing and no paste.

#include "widgets/ResultField.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Numbers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// The Delay template: the tempo as an entry field, the 4/4 bar as a result.
class ResultHost : public CDialog {
public:
    ResultHost() : CDialog(IDD_DELAY) {}

    CNumEdit m_entry;       // IDC_BPM
    CResultField m_result;  // IDC_BAR44, read-only

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_BPM, m_entry);
        DDX_Control(pDX, IDC_BAR44, m_result);
    }
};

TEST(ResultField, LeftItShowsItsNumberInFixedFormWhateverItsEntrySettings)
{
    struct Case {
        const char* what;
        std::function<void(CNumEdit&)> settings;
        const char* shown;
        const char* afterLeaving;
    };
    const Case cases[] = {
        {"a rounded result", [](CNumEdit&) {}, "24000", "24000.0000"},
        {"in integer mode", [](CNumEdit& f) { f.m_displayMode = CNumEdit::DisplayInteger; }, "24000", "24000.0000"},
        {"in text mode", [](CNumEdit& f) { f.m_textMode = true; }, "24000", "24000.0000"},
        {"beyond the entry range", [](CNumEdit& f) { f.m_max = 100; }, "24000", "24000.0000"},
        {"empty", [](CNumEdit&) {}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResultHost dlg;
        RunModal(dlg, [&] {
            c.settings(dlg.m_result);
            dlg.m_result.SetWindowText(QString::fromUtf8(c.shown));
            QTest::mouseClick(Widget(dlg, IDC_BAR44), Qt::LeftButton);
            QTest::keyClicks(Widget(dlg, IDC_BAR44), QStringLiteral("9"));
            QGuiApplication::clipboard()->setText(QStringLiteral("7"));
            QTest::keyClick(Widget(dlg, IDC_BAR44), Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(Text(dlg, IDC_BAR44), QString::fromUtf8(c.shown));
            QTest::mouseClick(Widget(dlg, IDC_BPM), Qt::LeftButton);
            EXPECT_EQ(Text(dlg, IDC_BAR44), Local(c.afterLeaving));
        });
    }
}

}  // namespace
