#include "calc/level/LevelDlg.h"

#include "framework/Translation.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CLevelDlg, CCalcDialog)
    ON_CBN_SELCHANGE(IDC_POWER_UNIT, OnSelChangePowerUnit)
    ON_CBN_SELCHANGE(IDC_VPP_UNIT, OnSelChangeVppUnit)
    ON_CBN_SELCHANGE(IDC_VRMS_UNIT, OnSelChangeVrmsUnit)
    ON_EN_CHANGE(IDC_DBM, OnChangeDBm)
    ON_EN_CHANGE(IDC_DBU, OnChangeDBu)
    ON_EN_CHANGE(IDC_DBV, OnChangeDBV)
    ON_EN_CHANGE(IDC_OHMS, OnChangeOhms)
    ON_EN_CHANGE(IDC_POWER, OnChangePower)
    ON_EN_CHANGE(IDC_VRMS, OnChangeVrms)
    ON_EN_SETFOCUS(IDC_DBU, OnSetFocusDBu)
    ON_EN_SETFOCUS(IDC_DBM, OnSetFocusDBm)
    ON_EN_SETFOCUS(IDC_DBV, OnSetFocusDBV)
    ON_EN_SETFOCUS(IDC_POWER, OnSetFocusPower)
    ON_EN_SETFOCUS(IDC_VRMS, OnSetFocusVrms)
    ON_EN_SETFOCUS(IDC_OHMS, OnSetFocusOhms)
    ON_BN_CLICKED(IDC_EXP, OnExp)
    ON_EN_CHANGE(IDC_VPP, OnChangeVpp)
END_MESSAGE_MAP()

CLevelDlg::CLevelDlg(CWnd* parent) : CCalcDialog(IDD_LEVEL, IDS_LEVEL, "level", parent) {}

CLevelDlg::~CLevelDlg() = default;

void CLevelDlg::DoDataExchange(CDataExchange* pDX)
{
    CCalcDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXP, m_btnExp);
    DDX_Control(pDX, IDC_VRMS_UNIT, m_cbVrmsUnit);
    DDX_Control(pDX, IDC_VPP_UNIT, m_cbVppUnit);
    DDX_Control(pDX, IDC_POWER_UNIT, m_cbPowerUnit);
    DDX_Control(pDX, IDC_VRMS, m_vrms.edit);
    DDX_Control(pDX, IDC_VPP, m_vpp.edit);
    DDX_Control(pDX, IDC_POWER, m_power.edit);
    DDX_Control(pDX, IDC_OHMS, m_editOhms);
    DDX_Control(pDX, IDC_DBV, m_editDBV);
    DDX_Control(pDX, IDC_DBU, m_editDBu);
    DDX_Control(pDX, IDC_DBM, m_editDBm);
}

bool CLevelDlg::OnInitDialog()
{
    CCalcDialog::OnInitDialog();
    // The handlers write each other's fields. A write into a dB field or the
    // impedance raises no change notification; one into the power or a
    // voltage does, so that its alignment follows every text it shows.
    for (CNumEdit* quiet : {&m_editDBu, &m_editDBV, &m_editDBm, &m_editOhms})
        quiet->SetProgramWritesNotify(false);
    for (CNumEdit* followed : {&m_power.edit, &m_vrms.edit, &m_vpp.edit})
        followed->SetProgramWritesNotify(true);

    m_cbPowerUnit.SetCurSel(CLevelModel::MilliWatt);
    m_cbVppUnit.SetCurSel(CLevelModel::MilliVolt);
    m_cbVrmsUnit.SetCurSel(CLevelModel::MilliVolt);
    // The lists have no label of their own on their row.
    m_cbPowerUnit.SetAccessibleName(Translate("Level", "Power unit"));
    m_cbVrmsUnit.SetAccessibleName(Translate("Level", "Voltage (RMS) unit"));
    m_cbVppUnit.SetAccessibleName(Translate("Level", "Voltage (p-p) unit"));

    m_model.m_nPowerUnit = CLevelModel::MilliWatt;
    m_vrms.edit.m_scale = 0.001;
    m_power.edit.m_scale = 0.001;
    m_model.m_nVrmsUnit = CLevelModel::MilliVolt;
    m_model.m_nVppUnit = CLevelModel::MilliVolt;

    m_editOhms.m_displayMode = CNumEdit::DisplayInteger;
    m_editOhms.SetWindowText(m_editOhms.FormatInteger(int(m_model.m_dOhms)));

    for (CNumEdit* level : {&m_editDBm, &m_editDBV, &m_editDBu}) {
        level->m_checkMax = level->m_checkMin = true;
        level->m_min = -200.0;
        level->m_max = 200.0;
    }
    // Power and RMS voltage are typed in their unit and checked in watts and volts.
    m_power.edit.m_checkMax = m_power.edit.m_checkMin = true;
    m_power.edit.m_min = 0.0;
    m_power.edit.m_max = 1.7e17;
    m_vrms.edit.m_checkMax = m_vrms.edit.m_checkMin = true;
    m_vrms.edit.m_min = 0.0;
    m_vrms.edit.m_max = 1e10;

    // The single-line fields start with the caret against their right edge;
    // AlignRight keeps their text there.
    for (RightAlignedField* field : {&m_power, &m_vrms, &m_vpp}) {
        field->textAreaWidth = field->edit.GetRect().Width();
        int left = 0, right = 0;
        field->edit.GetMargins(left, right);
        field->rightMargin = right + 1;
        field->edit.SetMargins(field->textAreaWidth - 1, field->rightMargin);
    }

    m_bActive = true;
    return true;
}

void CLevelDlg::OnSetFocusDBu() { m_model.m_nEntered = CLevelModel::EnteredDBu; }
void CLevelDlg::OnSetFocusDBV() { m_model.m_nEntered = CLevelModel::EnteredDBV; }
void CLevelDlg::OnSetFocusDBm() { m_model.m_nEntered = CLevelModel::EnteredDBm; }
void CLevelDlg::OnSetFocusPower() { m_model.m_nEntered = CLevelModel::EnteredPower; }
void CLevelDlg::OnSetFocusVrms() { m_model.m_nEntered = CLevelModel::EnteredVrms; }
void CLevelDlg::OnSetFocusOhms() { m_model.m_nEntered = CLevelModel::EnteredOhms; }

CString CLevelDlg::PowerText(const CNumEdit& field, const CLevelModel& model)
{
    const double power = model.GetPower();
    return model.m_bExp ? field.FormatExponent(power) : field.FormatFixed(power);
}

void CLevelDlg::UpdateFields()
{
    m_model.Calculate();
    const bool undefined = m_model.m_bUndefined;

    // The field being typed into keeps the user's text.
    const CWnd* focus = GetFocus();

    struct Level {
        CNumEdit& field;
        double value;
    };
    for (const Level& level :
         {Level {m_editDBu, m_model.m_dBu}, Level {m_editDBV, m_model.m_dBV}, Level {m_editDBm, m_model.m_dBm}}) {
        if (focus == &level.field)
            continue;
        level.field.SetWindowText(undefined ? CString() : level.field.FormatFixed(level.value));
    }

    if (focus != &m_power.edit) {
        m_power.edit.SetWindowText(undefined ? CString() : PowerText(m_power.edit, m_model));
        m_cbPowerUnit.SetCurSel(m_model.m_nPowerUnit);
        m_power.edit.m_scale = CLevelModel::PowerUnitFactor(m_model.m_nPowerUnit);
    }

    // An undefined voltage leaves its unit list as it was.
    if (focus != &m_vrms.edit) {
        if (undefined) {
            m_vrms.edit.SetWindowText(CString());
        } else {
            m_vrms.edit.SetWindowText(m_vrms.edit.FormatFixed(m_model.GetVrms()));
            m_cbVrmsUnit.SetCurSel(m_model.m_nVrmsUnit);
            m_vrms.edit.m_scale = CLevelModel::VoltageUnitFactor(m_model.m_nVrmsUnit);
        }
    }

    // The peak-to-peak voltage is never typed, so it is rewritten even when focused.
    if (undefined) {
        m_vpp.edit.SetWindowText(CString());
    } else {
        m_vpp.edit.SetWindowText(m_vpp.edit.FormatFixed(m_model.GetVpp()));
        m_cbVppUnit.SetCurSel(m_model.m_nVppUnit);
    }
}

void CLevelDlg::ClearFields()
{
    for (CNumEdit* field : {&m_editDBm, &m_editDBu, &m_editDBV, &m_power.edit, &m_vpp.edit, &m_vrms.edit})
        field->SetWindowText(CString());
}

void CLevelDlg::EnterLevel(CNumEdit& field, double& level, bool stopAboveMax)
{
    const CWnd* focus = GetFocus();
    m_bActive = true;
    CString text = field.GetWindowText();
    // The user emptied the field: nothing to show until a value is typed again.
    if (text.isEmpty() && focus == &field) {
        ClearFields();
        m_bActive = false;
        return;
    }
    const double value = field.ParseValue(text);
    if (stopAboveMax && value > field.m_max)
        return;
    level = value;
    UpdateFields();
}

void CLevelDlg::OnChangeDBu() { EnterLevel(m_editDBu, m_model.m_dBu, true); }
void CLevelDlg::OnChangeDBV() { EnterLevel(m_editDBV, m_model.m_dBV, false); }
void CLevelDlg::OnChangeDBm() { EnterLevel(m_editDBm, m_model.m_dBm, false); }

void CLevelDlg::OnChangeOhms()
{
    // An empty field is an impedance of 0, which leaves every result undefined.
    CString text = m_editOhms.GetWindowText();
    m_model.m_dOhms = double(m_editOhms.ParseInteger(text));
    if (m_bActive)
        UpdateFields();
}

// The three single-line fields are told of the dialog's own writes too: the
// guard turns away the change notification that AlignRight's rewrite raises,
// and only a field that has the focus hands its number to the engine.

// What the three single-line fields' change handlers share: the guard, the
// emptied field and the alignment. False when the handler is to stop there.
bool CLevelDlg::FollowSingleLineText(RightAlignedField& field, const CWnd* focus, CString& text)
{
    if (field.changeGuard)
        return false;
    field.changeGuard = true;

    int start = 0, end = 0;
    field.edit.GetSel(start, end);
    text = field.edit.GetWindowText();
    if (text.isEmpty() && focus == &field.edit) {
        ClearFields();
        m_bActive = false;
        field.changeGuard = false;
        return false;
    }
    AlignRight(field, text, start);
    field.changeGuard = false;
    return true;
}

void CLevelDlg::OnChangePower()
{
    m_bActive = true;
    const CWnd* focus = GetFocus();
    CString text;
    if (!FollowSingleLineText(m_power, focus, text) || focus != &m_power.edit || m_showingInNewUnit)
        return;
    m_model.SetPower(m_power.edit.ParseValue(text));
    UpdateFields();
    m_power.edit.m_displayMode = m_model.m_bExp ? CNumEdit::DisplayExponent : CNumEdit::DisplayFixed;
}

void CLevelDlg::OnChangeVrms()
{
    const CWnd* focus = GetFocus();
    m_bActive = true;
    CString text;
    // The focus is asked again once the text is aligned.
    if (!FollowSingleLineText(m_vrms, focus, text) || GetFocus() != &m_vrms.edit || m_showingInNewUnit)
        return;
    // The number is in the unit the list shows. An undefined result may have
    // moved the engine's unit without the list (which it leaves alone then).
    m_model.m_nVrmsUnit = m_cbVrmsUnit.GetCurSel();
    m_model.SetVrms(m_vrms.edit.ParseValue(text));
    UpdateFields();
}

void CLevelDlg::OnChangeVpp()
{
    // Read-only: only its alignment follows its text.
    m_bActive = true;
    CString text;
    FollowSingleLineText(m_vpp, GetFocus(), text);
}

CLevelDlg::TextExtent CLevelDlg::MeasureText(CDC& dc, const CString& text)
{
    TextExtent extent;
    dc.GetTextExtent(text, &extent.width, &extent.height);
    return extent;
}

void CLevelDlg::AlignRight(RightAlignedField& field, const CString& text, int start)
{
    TextExtent extent;
    {
        CClientDC dc(&field.edit);
        extent = MeasureText(dc, text);
    }

    // A left margin that leaves just the text's width to its right.
    const int n = field.textAreaWidth - extent.width;
    field.edit.SetMargins(n - 1 > 0 ? n - 1 : 2, field.rightMargin);

    // Written again to be laid out with the new margins; the change
    // notification this raises is turned away by the field's guard. The
    // field is painted with the rest of the dialog before anything shows, so
    // it is not repainted at once: that would cost ten times the keystroke.
    field.edit.SetWindowText(text);
    field.edit.Invalidate(true);
    field.edit.SetSel(start, start);
}

void CLevelDlg::OnExp()
{
    const bool exp = m_btnExp.GetCheck() != BST_UNCHECKED;
    m_model.m_bExp = exp;
    m_power.edit.m_displayMode = exp ? CNumEdit::DisplayExponent : CNumEdit::DisplayFixed;
    UpdateFields();
}

void CLevelDlg::OnSelChangePowerUnit()
{
    // The same power in the new unit: nothing is recomputed.
    const int unit = m_cbPowerUnit.GetCurSel();
    if (unit >= 0 && unit < CLevelModel::PowerUnitCount) {
        m_model.m_nPowerUnit = unit;
        m_power.edit.m_scale = CLevelModel::PowerUnitFactor(unit);
    }
    ShowInNewUnit(m_power.edit, PowerText(m_power.edit, m_model));
}

void CLevelDlg::OnSelChangeVrmsUnit()
{
    const int unit = m_cbVrmsUnit.GetCurSel();
    if (unit >= 0 && unit < CLevelModel::VoltageUnitCount) {
        m_model.m_nVrmsUnit = unit;
        m_vrms.edit.m_scale = CLevelModel::VoltageUnitFactor(unit);
    }
    ShowInNewUnit(m_vrms.edit, m_vrms.edit.FormatFixed(m_model.GetVrms()));
}

void CLevelDlg::OnSelChangeVppUnit()
{
    const int unit = m_cbVppUnit.GetCurSel();
    if (unit >= 0 && unit < CLevelModel::VoltageUnitCount)
        m_model.m_nVppUnit = unit;
    ShowInNewUnit(m_vpp.edit, m_vpp.edit.FormatFixed(m_model.GetVpp()));
}

void CLevelDlg::ShowInNewUnit(CNumEdit& field, const CString& text)
{
    // The list may change while its field has the focus (the wheel, a
    // screen reader): the text written is the engine's value rounded for
    // show, and its change handler must not take it for a new entry.
    m_showingInNewUnit = true;
    field.SetWindowText(text);
    m_showingInNewUnit = false;
}
