#pragma once
// The About box: name and version, the notice and the icon.

#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()
};
