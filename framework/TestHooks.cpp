// Test hooks; see TestHooks.h for what each does and who uses it.

#include "framework/TestHooks.h"

#include <QByteArray>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace testhooks {

namespace {

const char* const kExitAfterFirstPaint = "SONAVOLTA_EXIT_AFTER_FIRST_PAINT";
const char* const kReportRaise = "SONAVOLTA_REPORT_RAISE";
const int kCloseDelayMs = 100;

}  // namespace

void AfterPaint(QWidget* window)
{
    static bool firstPaintSeen = false;
    if (!firstPaintSeen && qEnvironmentVariableIsSet(kExitAfterFirstPaint)) {
        firstPaintSeen = true;
        std::fputs("first paint\n", stdout);
        std::fflush(stdout);
        // Closed a moment later, not at once: the focus and the pointer's
        // hover, which reach a new window as it opens, are then handled
        // before the close every time, so each start does the same work.
        QTimer::singleShot(kCloseDelayMs, window, &QWidget::close);
    }
}

CString CalculatorToOpenAfterMainRun()
{
    return qEnvironmentVariable(kExitAfterFirstPaint) == QLatin1String("wave") ? CString("wave") : CString();
}

void AfterRaiseRequest(const QByteArray& activationToken, const QByteArray& startupId, bool raised)
{
    if (!qEnvironmentVariableIsSet(kReportRaise))
        return;
    std::printf("raise activation=%s startup=%s raised=%d token left=%s\n", activationToken.constData(),
                startupId.constData(), int(raised), qgetenv("XDG_ACTIVATION_TOKEN").constData());
    std::fflush(stdout);
}

}  // namespace testhooks
