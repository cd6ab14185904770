// Level: from one typed digit in the dBu field to every other field
// rewritten (the key's whole road: event, filter, edit, notification,
// engine, six fields, three of them right-aligned again).

#include "bench/TypedDigit.h"
#include "calc/level/LevelDlg.h"
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
    CLevelDlg dlg;
    RunModal(dlg, [&] {
        bench::TimeTypedDigits(dlg, IDC_DBU, QStringLiteral("1"), Qt::Key_2, 2000, samples);
        if (Text(dlg, IDC_VPP).isEmpty())
            std::printf("the results were not written\n");
    });
    samples.Report("Level: typed dBu digit to every field rewritten");
    return 0;
}
