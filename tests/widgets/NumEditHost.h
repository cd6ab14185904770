#pragma once
// A small dialog around two numeric fields, for typing into them: an input
// field (multi-line, tab stop) and a read-only result field, from the Delay
// template.

#include "res/resource.h"
#include "tests/support/DialogHarness.h"
#include "widgets/NumEdit.h"

#include <functional>

class NumEditHost : public CDialog {
public:
    NumEditHost() : CDialog(IDD_DELAY) {}

    CNumEdit m_field;   // IDC_BPM
    CNumEdit m_result;  // IDC_BAR44, read-only
    std::function<void(CNumEdit&)> m_setup;
    int m_changes = 0;  // change notifications of the input field

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_BPM, m_field);
        DDX_Control(pDX, IDC_BAR44, m_result);
    }
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_setup)
            m_setup(m_field);
        return true;
    }
    void OnChangeField() { ++m_changes; }

    DECLARE_MESSAGE_MAP()
};

inline BEGIN_MESSAGE_MAP(NumEditHost, CDialog) ON_EN_CHANGE(IDC_BPM, OnChangeField)
END_MESSAGE_MAP
()
