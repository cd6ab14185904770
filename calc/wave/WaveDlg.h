#pragma once
// The Wave calculator: a frequency or a note name in; the period and the
// wavelength in air, each also halved, out. Note names and frequencies are
// related through the pitch table, read when the dialog is made and handed
// to the engine.

#include "calc/wave/WaveModel.h"
#include "frame/DialogFrame.h"
#include "widgets/NumEdit.h"
#include "widgets/ResultField.h"

#include <filesystem>

class CWaveDlg : public CCalcDialog {
public:
    // Reads the pitch table; raises CFileException when it cannot.
    explicit CWaveDlg(CWnd* parent = nullptr);
    ~CWaveDlg() override;

    // The pitch table the calculator reads: the one beside the running executable.
    static std::filesystem::path TablePath();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

    void OnChangeFrequency();
    void OnChangeNote();

    DECLARE_MESSAGE_MAP()

private:
    void ShowResults();
    void ClearResults();

    CResultField m_editFt;
    CResultField m_editCm;
    CResultField m_editHalfFt;
    CResultField m_editHalfCm;
    CResultField m_editHalfPeriod;
    CResultField m_editPeriod;
    CNumEdit m_editNote;
    CNumEdit m_editFrequency;
    CWaveModel m_model;
};
