// The Wave calculator's costs, headless: loading the shipped pitch table,
// opening the calculator until its first paint, and one typed digit. Each
// figure is the median of many runs, in microseconds, on stdout.

#include "bench/TypedDigit.h"
#include "calc/wave/WaveDlg.h"
#include "framework/File.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"

#include <QApplication>
#include <QEvent>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

using namespace testing_support;

namespace {

using Clock = bench::Samples::Clock;

// (1) Loading the table as the dialog does: the shipped table found beside
// the program, opened, read in one read, handed to a new engine and split
// into lines.
void LoadTable()
{
    constexpr int kRuns = 2000;
    bench::Samples samples;
    // The bytes and the engine are let go of after the clock stops.
    std::optional<std::vector<unsigned char>> table;
    std::optional<CWaveModel> model;
    for (int run = 0; run < kRuns; ++run) {
        samples.Time([&] {
            table = ReadWholeFile(CWaveDlg::TablePath());
            model.emplace();
            model->LoadTable(table->data(), table->size());
        });
        model.reset();
        table.reset();
    }
    samples.Report("Wave: load the pitch table (read it, hand it to CWaveModel)", 100);
}

// Notes the first paint event that reaches any widget and, once that whole
// paint pass is over, runs the given action.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> afterPass) : m_afterPass(std::move(afterPass))
    {
        qApp->installEventFilter(this);
    }
    ~FirstPaint() override { qApp->removeEventFilter(this); }
    bool Seen() const { return m_seen; }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Queued: it runs when the pass has painted every widget.
            if (m_afterPass)
                QMetaObject::invokeMethod(this, m_afterPass, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_afterPass;
    bool m_seen = false;
};

// (2) From the start of CWaveDlg's construction, which reads the table,
// through DoModal (widgets built from the template, data exchange,
// OnInitDialog, the page shown) to the end of its first paint.
//  forced: a body queued before the run lets processEvents() do the pending
//          show and layout work, then paints the window at once (repaint());
//          this is the program's own cost.
//  as the platform paints: the run goes on until the first paint pass the
//          platform delivers is over; this adds the platform's wait for the
//          next frame (about 5 ms on the headless platform).
// The first opening also makes the program's window and is not counted.
void OpenUntilFirstPaint(bool forced)
{
    const int runs = forced ? 200 : 50;
    bench::Samples samples;
    int unpainted = 0;
    for (int run = 0; run <= runs; ++run) {
        Clock::time_point start;
        std::optional<CWaveDlg> dlg;
        auto painted = [&] {
            const auto end = Clock::now();
            if (run > 0)
                samples.Add(start, end);
            dlg->EndDialog(IDCANCEL);
        };
        FirstPaint watch(forced ? std::function<void()>() : std::function<void()>(painted));
        if (forced) {
            QTimer::singleShot(0, [&] {
                QApplication::processEvents();
                Window(*dlg)->repaint();
                if (!watch.Seen())
                    ++unpainted;
                painted();
            });
        }
        start = Clock::now();
        dlg.emplace();
        dlg->DoModal();
    }
    samples.Report(forced ? "Wave: open until the first paint (forced)"
                          : "Wave: open until the first paint (as the platform paints)",
                   10000);
    if (unpainted > 0)
        std::printf("  (%d runs saw no paint)\n", unpainted);
}

// (3) One key press of a digit in the frequency field until it returns: the
// key filter, the edit, the change notification, Compute, the six results,
// the note look-up over the whole table and the note field all rewritten.
// Repainting happens later and is not included. The field alternates
// between 44 and 440, so every second digit also finds a note.
void TypeADigit()
{
    constexpr int kRuns = 5000;
    bench::Samples samples;
    CWaveDlg dlg;
    RunModal(dlg, [&] {
        bench::TimeTypedDigits(dlg, IDC_FREQUENCY, QStringLiteral("44"), Qt::Key_0, kRuns, samples);
        if (dlg.GetDlgItem(IDC_FREQUENCY)->GetWindowText() != QStringLiteral("44"))
            std::printf("  (unexpected frequency text: the typing runs did not go as planned)\n");
    });
    samples.Report("Wave: typed digit to every field rewritten", 150);
}

}  // namespace

int main(int argc, char** argv)
{
    bench::UseOffscreenPlatform();
    QApplication app(argc, argv);
    AfxInitWindowStyle();
    LoadTable();
    OpenUntilFirstPaint(true);
    OpenUntilFirstPaint(false);
    TypeADigit();
    return 0;
}
