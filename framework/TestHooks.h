#pragma once
// Test hooks: what the program does differently for the tests and benchmarks
// that start it as a process. The environment is read here and nowhere else,
// and the program calls each hook at one point.
//
// SONAVOLTA_EXIT_AFTER_FIRST_PAINT=<any value>
//   The first paint of the process (the chooser's) prints "first paint" on
//   stdout, and 100 ms later the window is closed as a user would close it,
//   so the program ends with 0 (bench/StartupBench, bench/startup-vs-floor,
//   tests/app ProgramTest).
// SONAVOLTA_EXIT_AFTER_FIRST_PAINT=wave
//   Besides, once the main dialog's run has ended, the application makes the
//   Wave calculator as its button makes it, without showing it, and prints
//   "wave opened" or the text of the error that kept it from opening
//   (tests/install: the installed program finds its pitch table).
// SONAVOLTA_REPORT_RAISE=<any value>
//   Each request of a later copy to raise the window prints "raise
//   activation=<token> startup=<id> raised=<0|1> token left=<what
//   XDG_ACTIVATION_TOKEN holds afterwards>" on stdout (tests/races
//   SingleCopyGuardTest).

#include "framework/Core.h"

class QByteArray;
class QWidget;

namespace testhooks {

// Framework use: called after every paint of a dialog in the window.
void AfterPaint(QWidget* window);

// The calculator to make once the main dialog's run has ended ("wave"), or
// empty when no test asks for one.
CString CalculatorToOpenAfterMainRun();

// Framework use: called after a later copy's request to raise the window.
void AfterRaiseRequest(const QByteArray& activationToken, const QByteArray& startupId, bool raised);

}  // namespace testhooks
