// The Wave calculator's costs, headless: loading the shipped pitch table,
// opening the calculator until its first paint, and one typed digit. Each
// figure is the median of many runs, in microseconds, on stdout.

#include "calc/wave/WaveDlg.h"
#include "framework/File.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"

#include <QApplication>
#include <QEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

using namespace testing_support;

namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::micro>(to - from).count();
}

double Median(std::vector<double> samples)
{
    const auto middle = samples.begin() + samples.size() / 2;
    std::nth_element(samples.begin(), middle, samples.end());
    return *middle;
}

void Report(const char* what, int runs, double medianUs, double targetUs)
{
    std::printf("%-72s %5d runs  median %9.1f us  (target < %.0f us)\n", what, runs, medianUs, targetUs);
}

// (1) Loading the table as the dialog does: the shipped table found beside
// the program, opened, read in one read, handed to a new engine and split
// into lines.
void LoadTable()
{
    constexpr int kRuns = 2000;
    std::vector<double> samples;
    std::optional<CWaveModel> model;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        const std::vector<unsigned char> table = ReadWholeFile(CWaveDlg::TablePath());
        model.emplace();
        model->LoadTable(table.data(), table.size());
        samples.push_back(Micros(start, Clock::now()));
        model.reset();
    }
    Report("load the pitch table (read the file, hand it to CWaveModel)", kRuns, Median(samples), 100);
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
    std::vector<double> samples;
    int unpainted = 0;
    for (int run = 0; run <= runs; ++run) {
        Clock::time_point start;
        std::optional<CWaveDlg> dlg;
        auto painted = [&] {
            const auto end = Clock::now();
            if (run > 0)
                samples.push_back(Micros(start, end));
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
    Report(forced ? "open the Wave calculator until its first paint (forced)"
                  : "open the Wave calculator until its first paint (as the platform paints)",
           runs, Median(samples), 10000);
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
    std::vector<double> samples;
    CWaveDlg dlg;
    RunModal(dlg, [&] {
        QWidget* frequency = Widget(dlg, IDC_FREQUENCY);
        ClickAndType(dlg, IDC_FREQUENCY, QStringLiteral("44"));
        for (int run = 0; run < kRuns; ++run) {
            const auto start = Clock::now();
            QTest::keyClick(frequency, Qt::Key_0, Qt::NoModifier);
            samples.push_back(Micros(start, Clock::now()));
            QTest::keyClick(frequency, Qt::Key_Backspace);
        }
        if (dlg.GetDlgItem(IDC_FREQUENCY)->GetWindowText() != QStringLiteral("44"))
            std::printf("  (unexpected frequency text: the typing runs did not go as planned)\n");
    });
    Report("one typed digit in the frequency field, all fields rewritten", kRuns, Median(samples), 150);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AfxInitWindowStyle();
    LoadTable();
    OpenUntilFirstPaint(true);
    OpenUntilFirstPaint(false);
    TypeADigit();
    return 0;
}
