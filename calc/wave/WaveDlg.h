#pragma once
// The Wave calculator: a frequency or a note name in; the period and the
// wavelength in air, each also halved, out. Note names and frequencies are
// related through the pitch table that the engine reads when it is made.

#include "calc/wave/WaveModel.h"
#include "frame/DialogFrame.h"
#include "widgets/NumEdit.h"

class CWaveDlg : public CCalcDialog {
public:
    // Reads the pitch table; raises CFileException when it cannot.
    explicit CWaveDlg(CWnd* parent = nullptr);
    ~CWaveDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

    void OnChangeFrequency();
    void OnChangeNote();

    DECLARE_MESSAGE_MAP()

private:
    void ShowResults();
    void ClearResults();

    CNumEdit m_editFt;
    CNumEdit m_editCm;
    CNumEdit m_editHalfFt;
    CNumEdit m_editHalfCm;
    CNumEdit m_editHalfPeriod;
    CNumEdit m_editPeriod;
    CNumEdit m_editNote;
    CNumEdit m_editFrequency;
    // Last, so the table is read once everything else of the dialog exists.
    CWaveModel m_model;
};
