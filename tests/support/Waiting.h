#pragma once
// Acting inside modal runs that a test's own action opens (a message box, a
// menu, a nested dialog): the action blocks until the run ends, so what
// happens inside it is scheduled first and runs from that run's event loop.

#include <QApplication>
#include <QElapsedTimer>
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

}  // namespace testing_support
