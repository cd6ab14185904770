#pragma once
// What every screen of the program shares: the painted header, the
// light-blue control colours, and, for the calculators, the help button bar
// and the help command.

#include "framework/CommandBar.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"

// Light blue behind the dialogs, their labels and their result fields.
constexpr COLORREF kDialogBackground = RGB(186, 218, 255);
// The text on it: black, as on the default light desktop, so that a dark
// desktop theme's light text never lands on the light blue.
constexpr COLORREF kDialogText = RGB(0, 0, 0);
constexpr COLORREF kHeaderText = RGB(0, 0, 156);
constexpr COLORREF kHeaderRule = RGB(0, 0, 0);
constexpr int kHeaderHeight = 24;
// The room above and below the title together that 24 pixels leave around a
// line of the default 9-point font (14 pixels).
constexpr int kHeaderTextMargins = 10;

// The dialog's title in bold dark blue above a black rule across the screen.
void PaintHeader(CWnd* dlg, CDC& dc, const CString& title);

// A dialog with the light-blue colours: its background, its labels and its
// read-only fields, with black text on them; fields that take input, lists
// and buttons keep the desktop's colours.
class CFramedDialog : public CDialog {
public:
    using CDialog::CDialog;

protected:
    CBrush* OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

private:
    CBrush m_backgroundBrush;  // made on the first request, kept for the dialog's life
};

// A calculator's screen: the framed dialog with the header from the string
// table and a help button that opens the help page at the calculator's section.
class CCalcDialog : public CFramedDialog {
public:
    CCalcDialog(int templateId, int titleStringId, const char* helpAnchor, CWnd* parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnPaint();
    void OnHelpTopic();

    CCeCommandBar m_cmdBar;

    DECLARE_MESSAGE_MAP()

private:
    int m_titleStringId;
    const char* m_helpAnchor;
};
