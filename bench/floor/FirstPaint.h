#pragma once
// The references' side of the start-up benchmark's switch, as the program
// has it: with SONAVOLTA_EXIT_AFTER_FIRST_PAINT set, the first paint prints
// "first paint" and the window closes a moment later.

#include <QTimer>
#include <QWidget>

#include <cstdio>

inline void AfterPaint(QWidget* window)
{
    static bool firstPaintSeen = false;
    if (!firstPaintSeen && qEnvironmentVariableIsSet("SONAVOLTA_EXIT_AFTER_FIRST_PAINT")) {
        firstPaintSeen = true;
        std::fputs("first paint\n", stdout);
        std::fflush(stdout);
        QTimer::singleShot(100, window, &QWidget::close);
    }
}
