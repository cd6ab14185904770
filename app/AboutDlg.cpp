#include "app/AboutDlg.h"

#include "frame/DialogFrame.h"
#include "framework/Translation.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUT, parent) {}

void CAboutDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintHeader(this, dc, Translate("About", "About"));
}
