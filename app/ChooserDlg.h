#pragma once
// The start screen: one button per calculator over a picture of rings, and
// the Help menu.

#include "frame/DialogFrame.h"

class CChooserDlg : public CFramedDialog {
public:
    explicit CChooserDlg(CWnd* parent = nullptr);
    ~CChooserDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

    template <int ButtonId>
    void OnCalculatorButton()
    {
        RunCalculatorOfButton(ButtonId);
    }
    void OnPaint();
    void OnAbout();
    void OnHelpContents();

    DECLARE_MESSAGE_MAP()

private:
    void RunCalculatorOfButton(int buttonId);

    CString m_strPrompt;
    CCeCommandBar m_cmdBar;
    HICON m_hIcon;
};
