#pragma once
// Framework-internal: the Qt widgets behind the controls. Nothing outside
// framework/ includes this file.

#include "framework/Core.h"
#include "framework/ResourceTypes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <functional>

class CWnd;
class CDialog;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;

namespace fw {

// What every widget of ours offers the framework.
class ControlHost {
public:
    virtual ~ControlHost() = default;
    // The object that handles this control's messages.
    CWnd* owner = nullptr;
    int controlId = 0;
    // The dialog the control lies on; its table gets the notifications.
    CWnd* dialog = nullptr;
    std::uint32_t templateStyle = 0;
    // Default processing of the message being handled.
    virtual void DefaultProcessing() {}
};

// Sends a control notification: first to the control's own table, then,
// unless the control took it, to its dialog's.
void SendNotify(ControlHost* host, UINT code);
// Asks the dialog for the control's colours before it paints.
void ApplyCtlColor(QWidget* widget, ControlHost* host, UINT ctlColor);

// The control the dialogs see as focused: the focus widget, or a field of a
// window that is not active while it is entered for one edit that reached it
// from outside (a drop, a screen reader's write): activation is the
// desktop's to grant and comes later, if at all.
QWidget* FocusedControl();

class EditWidget : public QLineEdit, public ControlHost {
public:
    explicit EditWidget(QWidget* parent);

    void SetTextFromProgram(const QString& text);
    void DefaultProcessing() override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    struct Selection {
        int cursor = 0;
        int start = -1;
        int length = 0;
    };

    void TypeCharacter(char32_t c);
    void OnTextChanged();
    // Checks a change that came from outside any event of the field, and
    // notifies it or takes it back.
    void SettleOutsideEdit();
    // The control's verdict on a change that no key filter has seen.
    bool Accepts(const QString& before, const QString& after);
    bool TakeFocus(Qt::FocusReason reason);
    // Runs an edit as one of the field being entered; see FocusedControl().
    void EditAsEntered(const std::function<void()>& edit);
    // An event, with any edit it makes that no key filter saw checked whole.
    bool CheckedEvent(QEvent* e);
    // Whether the field would take what a drag offers where it hovers.
    bool TakesDrop(const QDropEvent& e);
    Selection CurrentSelection() const;
    void RememberSelection();
    // Writes that are no edit of the user's.
    void WriteText(const QString& text);
    void Restore(const QString& text, const Selection& selection);

    QKeyEvent* m_currentKey = nullptr;  // the key being typed, for default processing
    char32_t m_currentChar = 0;
    int m_filteredDepth = 0;  // inside the default processing of a typed character
    int m_programDepth = 0;   // inside a write of the program's
    int m_eventDepth = 0;
    bool m_editedOutsideFilter = false;
    bool m_settling = false;
    // The text and selection as last settled: what an outside edit changed.
    QString m_shownText;
    Selection m_shownSelection;
};

class ButtonWidget : public QPushButton, public ControlHost {
public:
    explicit ButtonWidget(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* e) override;
};

class CheckWidget : public QCheckBox, public ControlHost {
public:
    explicit CheckWidget(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* e) override;
};

class ComboWidget : public QComboBox, public ControlHost {
public:
    explicit ComboWidget(QWidget* parent);
    void SetCurrentFromProgram(int index);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool m_programWrite = false;
};

class LabelWidget : public QLabel, public ControlHost {
public:
    explicit LabelWidget(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* e) override;
};

// A picture of the resources by id (empty if there is none), read by its own
// format's reader: letting the toolkit guess the format would load every
// image plugin installed.
QPixmap ResourcePixmap(int id);
QIcon ResourceIcon(int id);

// The client area of a dialog.
class DialogWidget : public QWidget, public ControlHost {
public:
    explicit DialogWidget(CDialog* dlg);
    QPainter* currentPainter = nullptr;

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    CDialog* m_dialog;  // Esc cancels it
};

}  // namespace fw
