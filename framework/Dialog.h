#pragma once
// CDialog: a dialog built from a template in res/, run modally on the
// program's one screen.

#include "framework/Controls.h"

#include <QRect>

#include <map>
#include <memory>
#include <vector>

class CDialog;
class QEventLoop;
namespace fw {
class DialogWidget;
class Page;
struct TemplateLayout;
}
namespace res {
struct DialogItem;
struct DialogTemplate;
}

// Data exchange between a dialog's controls and its members.
class CDataExchange {
public:
    CDataExchange(CDialog* dlg, bool saveAndValidate) : m_pDlgWnd(dlg), m_bSaveAndValidate(saveAndValidate) {}
    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;  // true: from the controls to the members
};

// Binds a control of the dialog to a member object.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Moves a control's text to or from a string member.
void DDX_Text(CDataExchange* pDX, int id, CString& value);

class CDialog : public CWnd {
public:
    CDialog(int templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Builds the dialog, runs it until EndDialog and returns the end code:
    // IDOK, IDCANCEL, or -1 when it could not be built or initialised.
    virtual int DoModal();
    void EndDialog(int result);
    bool IsRunning() const { return m_running; }
    int GetTemplateId() const { return m_templateId; }

    bool UpdateData(bool saveAndValidate = true);
    CString GetCaption() const;
    CWnd* GetDlgItem(int id) const override;
    using CWnd::GetWindowText;
    CString GetWindowText() const override;

    // Ok and cancel of the navigation bar, Esc and the close request.
    virtual void OnOK();
    virtual void OnCancel();

    // The dialog currently on top of the screen, or nullptr.
    static CDialog* GetActiveDialog();

    DECLARE_MESSAGE_MAP()

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Runs once the controls exist, after data exchange to them and the
    // full-screen set-up. True: the framework focuses the first tab stop.
    virtual bool OnInitDialog();
    void OnClose();

private:
    friend class CCeCommandBar;
    friend class fw::DialogWidget;
    friend void DDX_Control(CDataExchange*, int, CWnd&);
    friend void DDX_Text(CDataExchange*, int, CString&);

    QWidget* ControlWidget(int id) const;

    // Building the dialog from its template, step by step.
    struct Placed {
        QWidget* widget;
        const res::DialogItem* item;
    };
    void BuildFromTemplate();
    // The controls in template order, which is also the tab order.
    std::vector<Placed> CreateControls(const res::DialogTemplate& t, const fw::TemplateLayout& layout, QWidget* client);
    QWidget* CreateControl(const res::DialogItem& item, const QString& text, QRect geometry, QWidget* client);
    static void NameFieldsFromLabels(const std::vector<Placed>& placed);
    void FillLists(const res::DialogTemplate& t);
    static void SizeLists(const std::vector<Placed>& placed, int clientWidth);
    void DestroyWindow();

    int m_templateId;
    CWnd* m_pParentWnd;
    bool m_running = false;
    int m_result = -1;
    QEventLoop* m_loop = nullptr;
    fw::Page* m_page = nullptr;
    // Controls built from the template, by id (labels without one are not listed).
    std::map<int, QWidget*> m_controls;
    // Window objects for controls that no member is bound to.
    std::vector<std::unique_ptr<CWnd>> m_defaultObjects;
};
