#pragma once
// The command bar at the bottom of the screen: a menu bar of drop-down
// buttons or a bar of image buttons; both send commands to their dialog.

#include "framework/Ids.h"
#include "framework/Wnd.h"

class QToolBar;

// Styles for Create; the bar always sits at the bottom of its dialog's screen.
constexpr UINT CBRS_TOP = 0x2000;
constexpr UINT CBRS_BORDER_BOTTOM = 0x0800;
constexpr UINT WS_CHILD = 0x40000000;
constexpr UINT WS_VISIBLE = 0x10000000;

class CDialog;

class CCeCommandBar : public CWnd {
public:
    ~CCeCommandBar() override;
    bool Create(CDialog* parent, UINT style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM,
                int id = AFX_IDW_COMMAND_BAR);
    // Adds one drop-down button per pop-up of the menu resource.
    bool InsertMenuBar(int menuId);
    // Adds the toolbar resource's image buttons.
    bool LoadToolBar(int toolbarId);

private:
    // Puts a new button of the bar next in the tab order.
    void AddButton(QWidget* button);

    CDialog* m_parent = nullptr;
    QToolBar* m_bar = nullptr;
    QWidget* m_lastInTabOrder = nullptr;
};
