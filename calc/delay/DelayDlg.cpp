#include "calc/delay/DelayDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDelayDlg, CCalcDialog)
    ON_EN_CHANGE(IDC_BPM, OnChangeBpm)
    ON_BN_CLICKED(IDC_ROUND, OnRoundValues)
END_MESSAGE_MAP()

CDelayDlg::CDelayDlg(CWnd* parent) : CCalcDialog(IDD_DELAY, IDS_DELAY, "delay", parent) {}

CDelayDlg::~CDelayDlg() = default;

void CDelayDlg::DoDataExchange(CDataExchange* pDX)
{
    CCalcDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ROUND, m_btnRound);
    DDX_Control(pDX, IDC_SIXTEENTH, m_editSixteenth);
    DDX_Control(pDX, IDC_HALF, m_editHalf);
    DDX_Control(pDX, IDC_THIRTY_SECOND, m_editThirtySecond);
    DDX_Control(pDX, IDC_QUARTER, m_editQuarter);
    DDX_Control(pDX, IDC_EIGHTH, m_editEighth);
    DDX_Control(pDX, IDC_BAR34, m_editBar34);
    DDX_Control(pDX, IDC_BAR44, m_editBar44);
    DDX_Control(pDX, IDC_BPM, m_editBpm);
}

bool CDelayDlg::OnInitDialog()
{
    CCalcDialog::OnInitDialog();
    m_editBpm.m_checkMax = true;
    m_editBpm.m_max = 1000.0;
    m_editBpm.m_checkMin = true;
    m_editBpm.m_min = 1.0;
    return true;
}

void CDelayDlg::OnChangeBpm() { Recalculate(); }

void CDelayDlg::OnRoundValues() { Recalculate(); }

void CDelayDlg::Recalculate()
{
    struct Result {
        CNumEdit& field;
        const double& length;
    };
    const Result results[] = {
        {m_editSixteenth, m_model.m_sixteenth},
        {m_editHalf, m_model.m_half},
        {m_editThirtySecond, m_model.m_thirtySecond},
        {m_editQuarter, m_model.m_quarter},
        {m_editEighth, m_model.m_eighth},
        {m_editBar34, m_model.m_bar34},
        {m_editBar44, m_model.m_bar44},
    };

    CString tempo = m_editBpm.GetWindowText();
    if (tempo.isEmpty()) {
        for (const Result& r : results)
            r.field.SetWindowText(CString());
        return;
    }
    m_model.SetBpm(m_editBpm.ParseValue(tempo));

    const bool round = m_btnRound.GetCheck() != BST_UNCHECKED;
    for (const Result& r : results)
        r.field.SetWindowText(LengthText(r.field, r.length, round));
}

CString CDelayDlg::LengthText(const CNumEdit& field, double lengthMs, bool rounded)
{
    // Rounded half up: lengths are positive.
    return rounded ? field.FormatInteger(int(lengthMs + 0.5)) : field.FormatFixed(lengthMs);
}
