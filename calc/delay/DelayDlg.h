#pragma once
// The Delay calculator: a tempo in, seven delay times out.

#include "calc/delay/DelayModel.h"
#include "frame/DialogFrame.h"
#include "widgets/NumEdit.h"
#include "widgets/ResultField.h"

class CDelayDlg : public CCalcDialog {
public:
    explicit CDelayDlg(CWnd* parent = nullptr);
    ~CDelayDlg() override;

    // A length as a result field shows it: in whole milliseconds, rounded
    // half up, when rounded; else in the field's fixed form.
    static CString LengthText(const CNumEdit& field, double lengthMs, bool rounded);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

    void OnChangeBpm();
    void OnRoundValues();

    DECLARE_MESSAGE_MAP()

private:
    void Recalculate();

    CButton m_btnRound;
    CResultField m_editSixteenth;
    CResultField m_editHalf;
    CResultField m_editThirtySecond;
    CResultField m_editQuarter;
    CResultField m_editEighth;
    CResultField m_editBar34;
    CResultField m_editBar44;
    CNumEdit m_editBpm;
    CDelayModel m_model;
};
