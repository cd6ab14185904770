#include "framework/Wnd.h"

#include "framework/ResourceTypes.h"
#include "framework/Widgets_p.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QIcon>

namespace {

QHash<const QWidget*, CWnd*>& Registry()
{
    static QHash<const QWidget*, CWnd*> registry;
    return registry;
}

}  // namespace

CWnd::~CWnd() { Detach(); }

void CWnd::Attach(QWidget* widget, int id)
{
    Detach();
    m_widget = widget;
    m_id = id;
    if (!widget)
        return;
    Registry().insert(widget, this);
    if (auto* host = dynamic_cast<fw::ControlHost*>(widget))
        host->owner = this;
}

void CWnd::Detach()
{
    if (!m_widget)
        return;
    if (Registry().value(m_widget) == this)
        Registry().remove(m_widget);
    if (auto* host = dynamic_cast<fw::ControlHost*>(m_widget); host && host->owner == this)
        host->owner = nullptr;
    m_widget = nullptr;
}

CWnd* CWnd::FromHandle(const QWidget* widget) { return widget ? Registry().value(widget) : nullptr; }

CWnd* CWnd::GetParent() const
{
    if (auto* host = dynamic_cast<fw::ControlHost*>(m_widget); host && host->dialog && host->dialog != this)
        return host->dialog;
    return nullptr;
}

CWnd* CWnd::GetDlgItem(int) const { return nullptr; }

void CWnd::SetWindowText(const CString& text)
{
    if (!m_widget)
        return;
    if (auto* edit = dynamic_cast<fw::EditWidget*>(m_widget))
        edit->SetTextFromProgram(text);
    else if (auto* label = qobject_cast<QLabel*>(m_widget))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(m_widget))
        button->setText(text);
    else
        m_widget->setWindowTitle(text);
}

CString CWnd::GetWindowText() const
{
    if (!m_widget)
        return {};
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(m_widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget))
        return button->text();
    return m_widget->windowTitle();
}

void CWnd::EnableWindow(bool enable)
{
    if (m_widget)
        m_widget->setEnabled(enable);
}

bool CWnd::IsWindowEnabled() const { return m_widget && m_widget->isEnabled(); }

void CWnd::ShowWindow(bool show)
{
    if (m_widget)
        m_widget->setVisible(show);
}

bool CWnd::IsWindowVisible() const { return m_widget && m_widget->isVisible(); }

CWnd* CWnd::SetFocus()
{
    CWnd* previous = GetFocus();
    if (m_widget)
        m_widget->setFocus(Qt::OtherFocusReason);
    return previous;
}

CWnd* CWnd::GetFocus() { return FromHandle(fw::FocusedControl()); }

void CWnd::Invalidate(bool)
{
    if (m_widget)
        m_widget->update();
}

void CWnd::UpdateWindow()
{
    if (m_widget)
        m_widget->repaint();
}

CRect CWnd::GetClientRect() const
{
    if (!m_widget)
        return {};
    return {0, 0, m_widget->width(), m_widget->height()};
}

CFont* CWnd::GetFont()
{
    if (m_widget)
        m_font.Attach(m_widget->font());
    return &m_font;
}

bool CWnd::PreTranslateMessage(MSG*) { return false; }

void CWnd::Default()
{
    if (auto* host = dynamic_cast<fw::ControlHost*>(m_widget))
        host->DefaultProcessing();
}

void CWnd::SetAccessibleName(const CString& name)
{
    if (m_widget)
        m_widget->setAccessibleName(name);
}

CString CWnd::GetAccessibleName() const { return m_widget ? m_widget->accessibleName() : CString(); }

void CWnd::SetIcon(int icon, bool)
{
    if (!m_widget)
        return;
    if (const QIcon image = fw::ResourceIcon(icon); !image.isNull())
        m_widget->window()->setWindowIcon(image);
}
