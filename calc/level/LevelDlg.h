#pragma once
// The Level calculator: a level typed as dBu, dBV, dBm, power or RMS voltage,
// with a load impedance, shown at once in all the other quantities.

#include "calc/level/LevelModel.h"
#include "frame/DialogFrame.h"
#include "widgets/NumEdit.h"
#include "widgets/ResultField.h"

class CLevelDlg : public CCalcDialog {
public:
    explicit CLevelDlg(CWnd* parent = nullptr);
    ~CLevelDlg() override;

    // The power field's text for the engine's power in its unit: in
    // exponent form when the engine says so, else in the field's fixed form.
    static CString PowerText(const CNumEdit& field, const CLevelModel& model);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

    void OnSelChangePowerUnit();
    void OnSelChangeVppUnit();
    void OnSelChangeVrmsUnit();
    void OnChangeDBm();
    void OnChangeDBu();
    void OnChangeDBV();
    void OnChangeOhms();
    void OnChangePower();
    void OnChangeVrms();
    void OnSetFocusDBu();
    void OnSetFocusDBm();
    void OnSetFocusDBV();
    void OnSetFocusPower();
    void OnSetFocusVrms();
    void OnSetFocusOhms();
    void OnExp();
    void OnChangeVpp();

    DECLARE_MESSAGE_MAP()

private:
    struct TextExtent {
        int width = 0;
        int height = 0;
    };

    // A single-line field the dialog keeps against its right edge: the width
    // its text lays out in, its right margin, and the guard that turns away
    // the change notification of the dialog's own rewrite.
    struct RightAlignedField {
        CNumEdit& edit;
        int textAreaWidth = 0;
        int rightMargin = 0;
        bool changeGuard = false;
    };

    // Runs the engine and rewrites every field but the focused one.
    void UpdateFields();
    // Empties the six value fields; the impedance keeps its text.
    void ClearFields();
    // What the three dB fields do on a change of their text.
    void EnterLevel(CNumEdit& field, double& level, bool stopAboveMax);
    // Shows a single-line field's text against its right edge, caret at start.
    bool FollowSingleLineText(RightAlignedField& field, const CWnd* focus, CString& text);
    void AlignRight(RightAlignedField& field, const CString& text, int start);
    static TextExtent MeasureText(CDC& dc, const CString& text);
    // Writes a field re-expressed in the unit just chosen; the engine keeps
    // its value.
    void ShowInNewUnit(CNumEdit& field, const CString& text);

    CButton m_btnExp;
    CComboBox m_cbVrmsUnit;
    CComboBox m_cbVppUnit;
    CComboBox m_cbPowerUnit;
    CNumEdit m_editVrms;
    CResultField m_editVpp;  // the peak-to-peak voltage is a result alone
    CNumEdit m_editPower;
    RightAlignedField m_vrms {m_editVrms};
    RightAlignedField m_vpp {m_editVpp};
    RightAlignedField m_power {m_editPower};
    CNumEdit m_editOhms;
    CNumEdit m_editDBV;
    CNumEdit m_editDBu;
    CNumEdit m_editDBm;
    CLevelModel m_model;
    bool m_bActive = false;           // the value fields hold results
    bool m_showingInNewUnit = false;  // a unit list's handler writes its field
};
