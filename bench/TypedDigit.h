#pragma once
// One typed digit in a field of a running calculator, timed from the key
// press to its return: the key's whole road (event, key filter, edit, change
// notification, handler) and every field the handler rewrites. Repainting
// comes later and is not included.

#include "bench/BenchTiming.h"
#include "tests/support/DialogHarness.h"

namespace bench {

// Clicks the field and types start into it; then, runs times, types digit
// (timed) and takes it back with Backspace (not timed), so the field holds
// start again after each run.
inline void TimeTypedDigits(CDialog& dlg, int fieldId, const QString& start, Qt::Key digit, int runs, Samples& samples)
{
    QWidget* field = testing_support::Widget(dlg, fieldId);
    testing_support::ClickAndType(dlg, fieldId, start);
    for (int run = 0; run < runs; ++run) {
        samples.Time([&] { QTest::keyClick(field, digit); });
        QTest::keyClick(field, Qt::Key_Backspace);
    }
}

}  // namespace bench
