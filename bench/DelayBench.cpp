// Delay: from one typed digit in the tempo field to all seven results
// rewritten (the key's whole road: event, filter, edit, notification,
// handler, seven fields).

#include "bench/TypedDigit.h"
#include "calc/delay/DelayDlg.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"

using namespace testing_support;

int main(int argc, char** argv)
{
    bench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    AfxInitWindowStyle();
    bench::Samples samples;
    CDelayDlg dlg;
    RunModal(dlg, [&] {
        bench::TimeTypedDigits(dlg, IDC_BPM, QStringLiteral("1"), Qt::Key_2, 5000, samples);
        if (Text(dlg, IDC_QUARTER).isEmpty())
            std::printf("the results were not written\n");
    });
    samples.Report("Delay: typed digit to seven results rewritten");
    return 0;
}
