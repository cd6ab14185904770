// The Wave button when the pitch table cannot be read. This executable is
// built into a directory of its own, with no spn.dat beside it; the test
// puts a directory or a FIFO in its place for some of the cases.

#include "app/ChooserDlg.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Numbers.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace testing_support;

namespace {

QString TablePath() { return QCoreApplication::applicationDirPath() + QStringLiteral("/spn.dat"); }

// Whatever this test put in the table's place, it takes away again; a real
// table there would make the test meaningless.
class TableInPlace {
public:
    enum Kind { Missing, Directory, Fifo };

    explicit TableInPlace(Kind kind)
    {
        Remove();
        if (kind == Directory) {
            EXPECT_TRUE(QDir().mkdir(TablePath()));
        } else if (kind == Fifo) {
            EXPECT_EQ(mkfifo(QFile::encodeName(TablePath()).constData(), 0600), 0);
        }
    }
    ~TableInPlace() { Remove(); }

private:
    static void Remove()
    {
        const QFileInfo info(TablePath());
        ASSERT_FALSE(info.isFile()) << "a pitch table lies beside the test: " << TablePath().toStdString();
        if (info.isDir())
            QDir().rmdir(TablePath());
        else if (info.exists())
            QFile::remove(TablePath());
    }
};

struct Report {
    bool shown = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Presses the Wave button and reads the message box it raises from inside
// the box's own modal run, then dismisses it by its button. Should the
// calculator open instead, it is closed again, so the test fails, not hangs.
Report PressWave(CDialog& chooser)
{
    Report report;
    QTimer watcher;
    watcher.setSingleShot(true);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            report = {true, box->windowTitle(), box->text(), box->icon()};
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        } else if (CDialog* top = CDialog::GetActiveDialog(); top && top != &chooser) {
            top->EndDialog(IDCANCEL);
        }
    });
    watcher.start(0);
    QTest::mouseClick(Widget(chooser, IDC_WAVE), Qt::LeftButton);
    return report;
}

TEST(WaveWithoutTable, TheWaveButtonReportsTheFileErrorEveryTimeAndTheChooserGoesOn)
{
    struct Case {
        const char* name;
        TableInPlace::Kind kind;
    };
    const Case cases[] = {
        {"no spn.dat", TableInPlace::Missing},
        {"spn.dat is a directory", TableInPlace::Directory},
        {"spn.dat is a FIFO", TableInPlace::Fifo},  // must not block the read
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TableInPlace table(c.kind);
        CChooserDlg chooser;
        RunModal(chooser, [&] {
            for (int press = 0; press < 2; ++press) {
                SCOPED_TRACE(press);
                const Report report = PressWave(chooser);
                EXPECT_TRUE(report.shown);
                EXPECT_EQ(report.caption, QStringLiteral("Sonavolta"));
                EXPECT_EQ(report.icon, QMessageBox::Critical);
                EXPECT_EQ(report.text, QStringLiteral("an unnamed file was not found."));
                EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
                EXPECT_EQ(CDialog::GetActiveDialog(), &chooser);
                EXPECT_TRUE(chooser.IsWindowEnabled());
            }

            // The chooser is still usable: the Delay calculator opens and works.
            bool delayOpened = false;
            EXPECT_TRUE(OpenFromChooser(chooser, IDC_DELAY, [&](CDialog& delay) {
                delayOpened = delay.GetTemplateId() == IDD_DELAY;
                ClickAndType(delay, IDC_BPM, QStringLiteral("120"));
                EXPECT_EQ(Text(delay, IDC_QUARTER), Local("500.0000"));
                delay.EndDialog(IDOK);
            }));
            EXPECT_TRUE(delayOpened);
        });
    }
}

}  // namespace
