#include "calc/wave/WaveDlg.h"

#include "framework/File.h"
#include "framework/Program.h"
#include "framework/Text.h"
#include "res/resource.h"

// The control colours, the header and the help button come from CCalcDialog.
BEGIN_MESSAGE_MAP(CWaveDlg, CCalcDialog)
    ON_EN_CHANGE(IDC_FREQUENCY, OnChangeFrequency)
    ON_EN_CHANGE(IDC_NOTE, OnChangeNote)
END_MESSAGE_MAP()

CWaveDlg::CWaveDlg(CWnd* parent) : CCalcDialog(IDD_WAVE, IDS_WAVE, "wave", parent)
{
    // Read at every opening, once everything else of the dialog exists; a
    // file error abandons the opening.
    const std::vector<unsigned char> table = ReadWholeFile(TablePath());
    m_model.LoadTable(table.data(), table.size());
}

std::filesystem::path CWaveDlg::TablePath()
{
    // The executable's real folder as found at start-up, whatever the program
    // is called and however long the path, rather than a fixed-length cut.
    return fw::ProgramFile(CWaveModel::kTableFileName);
}

CWaveDlg::~CWaveDlg() = default;

void CWaveDlg::DoDataExchange(CDataExchange* pDX)
{
    CCalcDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WAVELENGTH_FT, m_editFt);
    DDX_Control(pDX, IDC_WAVELENGTH_CM, m_editCm);
    DDX_Control(pDX, IDC_HALF_WAVELENGTH_FT, m_editHalfFt);
    DDX_Control(pDX, IDC_HALF_WAVELENGTH_CM, m_editHalfCm);
    DDX_Control(pDX, IDC_HALF_PERIOD, m_editHalfPeriod);
    DDX_Control(pDX, IDC_PERIOD, m_editPeriod);
    DDX_Control(pDX, IDC_NOTE, m_editNote);
    DDX_Control(pDX, IDC_FREQUENCY, m_editFrequency);
}

bool CWaveDlg::OnInitDialog()
{
    CCalcDialog::OnInitDialog();
    m_editFrequency.m_checkMax = true;
    m_editFrequency.m_max = CWaveModel::kMaxFrequency;
    m_editFrequency.m_min = CWaveModel::kMinFrequency;
    m_editFrequency.m_checkMin = true;
    m_editFrequency.m_precision = 2;
    m_editNote.m_textMode = true;
    // Every field starts empty; nothing is computed until the user types.
    return true;
}

// All eight fields are multi-line, so the writes below raise no change
// notification: the two handlers never set each other off.

void CWaveDlg::OnChangeFrequency()
{
    CString text = m_editFrequency.GetWindowText();
    if (text.isEmpty())
        return;  // keep the results and the note as they are
    m_model.m_frequency = m_editFrequency.ParseValue(text);
    m_model.Compute();
    ShowResults();
    m_model.FindNote();
    m_editNote.SetWindowText(FromU16(m_model.m_note));
}

void CWaveDlg::OnChangeNote()
{
    const CString text = m_editNote.GetWindowText();
    if (text.isEmpty())
        return;  // keep the results and the frequency as they are
    m_model.SetNote(ToU16(text));
    if (m_model.FindFrequency()) {
        // Two decimals, or as many as a frequency below 0.005 Hz needs to
        // stay in the field's range: as leaving the field shows it.
        m_editFrequency.SetWindowText(m_editFrequency.FormatFixedInRange(m_model.m_frequency));
        ShowResults();
    } else {
        // Not (yet) a name of the table; the note keeps what was typed.
        ClearResults();
    }
}

void CWaveDlg::ShowResults()
{
    struct Result {
        CNumEdit& field;
        double value;
    };
    const Result results[] = {
        {m_editFt, m_model.m_wavelengthFt},         {m_editCm, m_model.m_wavelengthCm},
        {m_editHalfFt, m_model.m_halfWavelengthFt}, {m_editHalfCm, m_model.m_halfWavelengthCm},
        {m_editHalfPeriod, m_model.m_halfPeriodMs}, {m_editPeriod, m_model.m_periodMs},
    };
    for (const Result& r : results)
        r.field.SetWindowText(r.field.FormatFixed(r.value));
}

void CWaveDlg::ClearResults()
{
    for (CNumEdit* field :
         {&m_editFt, &m_editCm, &m_editHalfFt, &m_editHalfCm, &m_editHalfPeriod, &m_editPeriod, &m_editFrequency})
        field->SetWindowText(CString());
}
