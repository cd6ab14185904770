#include "app/ChooserDlg.h"

#include "app/AboutDlg.h"
#include "app/Calculators.h"
#include "frame/Help.h"
#include "framework/Translation.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kRingFill = RGB(119, 184, 255);
constexpr COLORREF kRingEdge = RGB(0, 0, 156);

}  // namespace

BEGIN_MESSAGE_MAP(CChooserDlg, CFramedDialog)
    // A line per calculator's button (app/Calculators.cpp): the table holds
    // no range of ids.
    ON_BN_CLICKED(IDC_LEVEL, OnCalculatorButton<IDC_LEVEL>)
    ON_BN_CLICKED(IDC_DELAY, OnCalculatorButton<IDC_DELAY>)
    ON_BN_CLICKED(IDC_WAVE, OnCalculatorButton<IDC_WAVE>)
    ON_WM_PAINT()
    ON_COMMAND(ID_APP_ABOUT, OnAbout)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
END_MESSAGE_MAP()

CChooserDlg::CChooserDlg(CWnd* parent) : CFramedDialog(IDD_CHOOSER, parent)
{
    m_strPrompt = CString();
    m_hIcon = AfxLoadIcon(IDR_MAINFRAME);
    m_strPrompt = LoadResourceString(IDS_CHOOSE_CALCULATOR);
}

CChooserDlg::~CChooserDlg() = default;

void CChooserDlg::DoDataExchange(CDataExchange* pDX)
{
    CFramedDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT, m_strPrompt);
}

bool CChooserDlg::OnInitDialog()
{
    CFramedDialog::OnInitDialog();
    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);
    if (m_cmdBar.Create(this))
        m_cmdBar.InsertMenuBar(IDR_HELP_MENU);
    // Each button takes its calculator's name; where it stands is the
    // template's (from the top: Delay, Wave, Level).
    for (const Calculator& c : Calculators())
        GetDlgItem(c.buttonId)->SetWindowText(LoadResourceString(c.buttonTextId));
    return true;
}

void CChooserDlg::RunCalculatorOfButton(int buttonId)
{
    if (const Calculator* calculator = FindCalculatorByButton(buttonId))
        RunCalculator(*calculator);
}

void CChooserDlg::OnPaint()
{
    CPaintDC dc(this);
    const CRect client = GetClientRect();
    const int x = client.Width() / 2;
    const int y = client.Height() / 2;

    CBrush ringFill(kRingFill);
    CPen ringEdge(PS_SOLID, 1, kRingEdge);
    CBrush gapFill(kDialogBackground);
    CPen gapEdge(PS_SOLID, 1, kDialogBackground);
    CBrush* previousBrush = dc.SelectObject(&ringFill);
    CPen* previousPen = dc.SelectObject(&ringEdge);

    // Concentric rings 10 pixels wide, 20 apart, centred 12 pixels low.
    int left = x - 118, top = y - 106, right = x + 118, bottom = y + 130;
    for (int pass = 0; pass < 6; ++pass) {
        dc.SelectObject(&ringFill);
        dc.SelectObject(&ringEdge);
        dc.Ellipse(left, top, right, bottom);
        left += 10, top += 10, right -= 10, bottom -= 10;
        dc.SelectObject(&gapFill);
        dc.SelectObject(&gapEdge);
        dc.Ellipse(left, top, right, bottom);
        left += 20, top += 20, right -= 20, bottom -= 20;
    }
    dc.SelectObject(previousBrush);
    dc.SelectObject(previousPen);

    PaintHeader(this, dc, Translate("Chooser", "Choose Calculator"));
}

void CChooserDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CChooserDlg::OnHelpContents() { ShowHelpContents(); }
