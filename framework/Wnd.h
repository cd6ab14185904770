#pragma once
// CWnd: a window or control as the dialogs see it. The Qt widget behind it
// stays inside the framework.

#include "framework/Gdi.h"
#include "framework/MessageMap.h"

class QWidget;
class CDialog;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    int GetDlgCtrlID() const { return m_id; }
    CWnd* GetParent() const;
    // A control of this dialog by id; nullptr for a window that is no dialog.
    virtual CWnd* GetDlgItem(int id) const;
    bool IsWindow() const { return m_widget != nullptr; }

    void SetWindowText(const CString& text);
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    // A dialog's text is its caption.
    virtual CString GetWindowText() const;
    int GetWindowTextLength() const { return GetWindowText().size(); }

    void EnableWindow(bool enable = true);
    bool IsWindowEnabled() const;
    void ShowWindow(bool show);
    bool IsWindowVisible() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    void Invalidate(bool erase = true);
    void UpdateWindow();
    CRect GetClientRect() const;
    CFont* GetFont();
    // The icon the window shows; big or small makes no difference here.
    void SetIcon(int icon, bool bigIcon);
    // The name screen readers and UI automation know the window by.
    void SetAccessibleName(const CString& name);
    CString GetAccessibleName() const;

    // Sees every key press meant for this window before the window handles it;
    // true swallows it.
    virtual bool PreTranslateMessage(MSG* msg);

    // The window object behind a widget, or nullptr.
    static CWnd* FromHandle(const QWidget* widget);
    QWidget* GetSafeHwnd() const { return m_widget; }

    // Framework use: binds this object to a widget (data exchange does it).
    void Attach(QWidget* widget, int id);
    void Detach();

protected:
    // The default processing of the message being handled (inserting a typed
    // character, for an edit control).
    void Default();

private:
    friend class CWndAccess;
    QWidget* m_widget = nullptr;
    int m_id = 0;
    CFont m_font;
};
