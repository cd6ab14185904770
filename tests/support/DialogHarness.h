#pragma once
// Running dialogs in tests: the test body runs inside the dialog's modal
// run, and real key and mouse events reach the real widgets.

#include "framework/Dialog.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace testing_support {

// The widget of a control, for sending it events.
inline QWidget* Widget(CDialog& dlg, int id)
{
    CWnd* wnd = dlg.GetDlgItem(id);
    return wnd ? wnd->GetSafeHwnd() : nullptr;
}

inline QLineEdit* Edit(CDialog& dlg, int id) { return qobject_cast<QLineEdit*>(Widget(dlg, id)); }

inline QString Text(CDialog& dlg, int id)
{
    CWnd* wnd = dlg.GetDlgItem(id);
    return wnd ? wnd->GetWindowText() : QString();
}

// What a row of controls shows, in the order of ids.
template <class Ids>
QStringList Texts(CDialog& dlg, const Ids& ids)
{
    QStringList texts;
    for (int id : ids)
        texts << Text(dlg, id);
    return texts;
}

// Waits until the screen window is the active one, so focus is real.
inline void WaitForActiveWindow(CDialog& dlg)
{
    if (QWidget* w = dlg.GetSafeHwnd() ? dlg.GetSafeHwnd()->window() : nullptr) {
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w);
    }
}

// The program's window, where every dialog shows.
inline QWidget* Window(CDialog& dlg) { return dlg.GetSafeHwnd() ? dlg.GetSafeHwnd()->window() : nullptr; }

// Runs dlg modally; body runs once the dialog is up, then the run ends
// (unless the body ended it). Returns the end code.
inline int RunModal(CDialog& dlg, const std::function<void()>& body)
{
    QTimer::singleShot(0, [&] {
        if (dlg.GetSafeHwnd())
            WaitForActiveWindow(dlg);
        body();
        if (dlg.IsRunning())
            dlg.EndDialog(IDCANCEL);
    });
    return dlg.DoModal();
}

// Does something that opens a modal run (a click on a button, say) and runs
// body inside that run; body must end it.
inline void WhileModal(const std::function<void()>& opens, const std::function<void()>& body)
{
    QTimer::singleShot(0, body);
    opens();
}

// Clicks one of the chooser's buttons and runs body on the calculator it
// opens, inside that calculator's run; the run is ended after body unless
// body ended it. False when no calculator opened.
inline bool OpenFromChooser(CDialog& chooser, int buttonId, const std::function<void(CDialog& calculator)>& body)
{
    // Held by the scheduled step too: when nothing opens, it runs later.
    auto opened = std::make_shared<bool>(false);
    WhileModal([&] { QTest::mouseClick(Widget(chooser, buttonId), Qt::LeftButton); },
               [&chooser, body, opened] {
                   CDialog* top = CDialog::GetActiveDialog();
                   if (!top || top == &chooser)
                       return;
                   *opened = true;
                   body(*top);
                   if (top->IsRunning())
                       top->EndDialog(IDCANCEL);
               });
    return *opened;
}

// Clicks a control (focus by mouse) and types keys into it.
inline void ClickAndType(CDialog& dlg, int id, const QString& keys)
{
    QWidget* w = Widget(dlg, id);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(w->width() - 4, w->height() / 2));
    QTest::keyClicks(w, keys);
}

// Right-clicks a field and clicks the item of the menu it opens whose text,
// without its '&' and shortcut, is item ("Undo", "Paste", "Select All", ...).
// False, with the menu closed, if there is no such item or it is disabled.
inline bool ChooseFromContextMenu(QWidget* field, const QString& item)
{
    const QPoint at(field->width() / 2, field->height() / 2);
    QTest::mouseClick(field, Qt::RightButton, Qt::NoModifier, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
    QApplication::sendEvent(field, &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return false;
    for (QAction* action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')) != item)
            continue;
        if (!action->isEnabled())
            break;
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
        return !menu->isVisible();
    }
    menu->close();
    return false;
}

// Drags text from outside onto the middle of a widget and drops it there.
inline void DropText(QWidget* target, const QString& text)
{
    QMimeData mime;
    mime.setText(text);
    const QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

// Whether a widget tells a drag of text from outside, entering at its
// middle, that it would take the drop there.
inline bool DragOver(QWidget* target, const QString& text)
{
    QMimeData mime;
    mime.setText(text);
    QDragEnterEvent enter(QPoint(target->width() / 2, target->height() / 2), Qt::CopyAction, &mime, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    return enter.isAccepted();
}

// A field's text as a screen reader edits it: through the editable-text
// interface that the accessibility bridge calls.
inline QAccessibleEditableTextInterface* AccessibleEditor(QWidget* field)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
    return accessible ? accessible->editableTextInterface() : nullptr;
}

}  // namespace testing_support
