#pragma once
// Waiting in tests. Acting inside modal runs that a test's own action opens
// (a message box, a menu, a nested dialog): the action blocks until the run
// ends, so what happens inside it is scheduled first and runs from that
// run's event loop. And waiting, events running, for a condition to hold.

#include "framework/Dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace testing_support {

// Ends whatever is open: popups, message boxes and every dialog run (closing
// the program's window ends them all). Used when a test would otherwise hang.
inline void CloseEverything()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    while (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("screen") && w->isVisible())
            w->close();
}

// Runs action once condition holds, polling from whichever event loop runs.
// If it never holds, the test fails and everything open is closed.
inline void When(std::function<bool()> condition, std::function<void()> action, int timeoutMs = 5000)
{
    auto* timer = new QTimer(qApp);
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        if (condition()) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            action();
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            ADD_FAILURE() << "waited in vain for a window to open";
            CloseEverything();
        }
    });
    timer->start();
}

// Runs action on the dialog made from the template once it is the active one.
inline void WhenDialogOpens(int templateId, std::function<void(CDialog&)> action)
{
    When(
        [templateId] {
            return CDialog::GetActiveDialog() && CDialog::GetActiveDialog()->GetTemplateId() == templateId;
        },
        [action = std::move(action)] { action(*CDialog::GetActiveDialog()); });
}

// Runs action on the popup menu once one is open.
inline void WhenMenuOpens(std::function<void(QMenu&)> action)
{
    When([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
         [action = std::move(action)] { action(*qobject_cast<QMenu*>(QApplication::activePopupWidget())); });
}

// Waits, events running, until condition holds; false if it never did
// within timeoutMs.
inline bool Eventually(const std::function<bool()>& condition, int timeoutMs = 10000)
{
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        if (condition())
            return true;
        QTest::qWait(20);
    }
    return condition();
}

}  // namespace testing_support
