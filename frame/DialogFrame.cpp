#include "frame/DialogFrame.h"

#include "frame/Help.h"
#include "framework/WinApp.h"
#include "res/resource.h"

#include <algorithm>

void PaintHeader(CWnd*, CDC& dc, const CString& title)
{
    const int width = dc.GetScreenWidth();

    // The context's own font, made bold; everything else about it stays.
    LOGFONT logFont;
    dc.GetCurrentFont()->GetLogFont(&logFont);
    logFont.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(&logFont);

    CFont* previousFont = dc.SelectObject(&bold);
    // 24 pixels high, unless a large desktop font needs more: then the title
    // keeps the room above and below it that it has at the default size.
    int textHeight = 0;
    dc.GetTextExtent(title, nullptr, &textHeight);
    const int height = std::max(kHeaderHeight, textHeight + kHeaderTextMargins);
    dc.SetTextColor(kHeaderText);
    dc.DrawText(title, CRect {8, 0, width, height}, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(previousFont);

    CPen rule(PS_SOLID, 1, kHeaderRule);
    CPen* previousPen = dc.SelectObject(&rule);
    dc.MoveTo(0, height);
    dc.LineTo(width, height);
    dc.SelectObject(previousPen);

    rule.DeleteObject();
    bold.DeleteObject();
}

BEGIN_MESSAGE_MAP(CFramedDialog, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CBrush* CFramedDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    pDC->SetBkMode(TRANSPARENT);
    if (pWnd->GetDlgCtrlID() == GetDlgCtrlID() || nCtlColor == CTLCOLOR_STATIC) {
        if (!m_backgroundBrush.IsValid())
            m_backgroundBrush.CreateSolidBrush(kDialogBackground);
        // Dark text on the light blue, whatever the desktop's own text colour.
        pDC->SetTextColor(kDialogText);
        return &m_backgroundBrush;
    }
    return nullptr;
}

BEGIN_MESSAGE_MAP(CCalcDialog, CFramedDialog)
    ON_WM_PAINT()
    ON_COMMAND(ID_HELP_TOPIC, OnHelpTopic)
END_MESSAGE_MAP()

CCalcDialog::CCalcDialog(int templateId, int titleStringId, const char* helpAnchor, CWnd* parent)
    : CFramedDialog(templateId, parent), m_titleStringId(titleStringId), m_helpAnchor(helpAnchor)
{
}

bool CCalcDialog::OnInitDialog()
{
    CFramedDialog::OnInitDialog();
    // The help button bar; a bar that cannot be made leaves the dialog without it.
    if (m_cmdBar.Create(this))
        m_cmdBar.LoadToolBar(IDR_HELP_TOOLBAR);
    return true;
}

void CCalcDialog::OnPaint()
{
    CPaintDC dc(this);
    PaintHeader(this, dc, LoadResourceString(m_titleStringId));
}

void CCalcDialog::OnHelpTopic() { ShowHelpTopic(CString::fromLatin1(m_helpAnchor)); }
