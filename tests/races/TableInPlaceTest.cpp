// The Wave button with pitch tables put beside the program while it runs:
// one replaced by a FIFO while the calculator is open, one of binary noise,
// an empty one. The calculator keeps the table it read; a FIFO gives the
// stop message, never a hang; noise and an empty file give a table in which
// no note is found. This executable lies in a directory of its own.

#include "app/ChooserDlg.h"
#include "calc/wave/WaveDlg.h"
#include "res/resource.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Numbers.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace testing_support;

namespace {

QString TablePath() { return QFile::decodeName(CWaveDlg::TablePath().c_str()); }

void PutTable(const QByteArray& bytes)
{
    QFile::remove(TablePath());
    QFile file(TablePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void PutFifo()
{
    QFile::remove(TablePath());
    ASSERT_EQ(mkfifo(QFile::encodeName(TablePath()).constData(), 0600), 0);
}

// Presses the Wave button. If the calculator opens, runs body in it and
// closes it; returns the text of the message box shown instead, if any.
QString PressWave(CDialog& chooser, const std::function<void(CDialog&)>& body)
{
    QString report;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            report = box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        } else if (CDialog* wave = CDialog::GetActiveDialog(); wave && wave != &chooser) {
            body(*wave);
            wave->EndDialog(IDOK);
        }
    });
    QTest::mouseClick(Widget(chooser, IDC_WAVE), Qt::LeftButton);
    return report;
}

void Type(CDialog& dlg, int id, const QString& keys)
{
    QWidget* w = Widget(dlg, id);
    QTest::mouseClick(w, Qt::LeftButton);
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, keys);
}

// The period field's text for a frequency, as the dialog writes it.
QString PeriodText(double hz)
{
    CWaveModel model;
    model.m_frequency = hz;
    model.Compute();
    return CNumEdit().FormatFixed(model.m_periodMs);
}

class TableInPlace : public testing::Test {
protected:
    void TearDown() override { QFile::remove(TablePath()); }
};

TEST_F(TableInPlace, TheOpenCalculatorKeepsItsTableWhenTheFileBecomesAFifo)
{
    PutTable("440.00;A4\r\n261.63;C4\r\n");
    CChooserDlg chooser;
    RunModal(chooser, [&] {
        bool opened = false;
        const QString report = PressWave(chooser, [&](CDialog& wave) {
            opened = true;
            Type(wave, IDC_FREQUENCY, QStringLiteral("440"));
            EXPECT_EQ(Text(wave, IDC_NOTE), QStringLiteral("A4"));
            PutFifo();
            Type(wave, IDC_NOTE, QStringLiteral("C4"));
            EXPECT_EQ(Text(wave, IDC_FREQUENCY), Local("261.63"));
        });
        EXPECT_TRUE(opened);
        EXPECT_EQ(report, QString());

        // The next opening meets the FIFO: the stop message, and the chooser goes on.
        EXPECT_EQ(PressWave(chooser, [](CDialog&) { ADD_FAILURE() << "opened over a FIFO"; }),
                  QStringLiteral("an unnamed file was not found."));
        EXPECT_EQ(CDialog::GetActiveDialog(), &chooser);
    });
}

TEST_F(TableInPlace, NoiseAndAnEmptyFileGiveATableWithoutTheNotes)
{
    QByteArray noise(64 * 1024, '\0');
    QRandomGenerator random(20240607);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {{"binary noise", noise}, {"empty", QByteArray()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PutTable(c.bytes);
        CChooserDlg chooser;
        RunModal(chooser, [&] {
            bool opened = false;
            PressWave(chooser, [&](CDialog& wave) {
                opened = true;
                Type(wave, IDC_FREQUENCY, QStringLiteral("440"));
                EXPECT_EQ(Text(wave, IDC_NOTE), QString());
                Type(wave, IDC_NOTE, QStringLiteral("A4"));
                EXPECT_EQ(Text(wave, IDC_FREQUENCY), QString());
                EXPECT_EQ(Text(wave, IDC_PERIOD), QString());
            });
            EXPECT_TRUE(opened);
        });
    }
}

// A table edited by hand, or by someone hostile. Each line's number is read
// as the C library reads it, so a sign, an exponent or a unit after it keep
// the line a note; a typed name whose line gives no frequency the field
// takes finds nothing, as a name in no line does, and the field is left
// empty. A name found shows its frequency as leaving the field shows it:
// never as a text the field would refuse.
TEST_F(TableInPlace, ATypedNameShowsTheFrequencyItsLineGivesAsTheFieldShowsIt)
{
    struct Case {
        QByteArray line;
        const char* typed;
        const char* shown;  // the frequency field; '.' for the user's separator
        double hz;          // the results shown; 0 for none
    };
    const Case cases[] = {
        // Before: these found nothing, and the field emptied.
        {"+440;P", "p", "440.00", 440.0},
        {"4.4e2;E", "e", "440.00", 440.0},
        {"440 Hz;S", "s", "440.00", 440.0},
        {"440Hz;H", "h", "440.00", 440.0},
        {"0x1B8;X", "x", "440.00", 440.0},
        {"1e-4;L3", "l3", "0.0001", 0.0001},
        // Before: shown as 0.00, a text below the field's range.
        {"0.0001;L1", "l1", "0.0001", 0.0001},
        {"0.00015;L2", "l2", "0.00015", 0.00015},
        // Ordinary lines.
        {" 27.5 ;A0", "a0", "27.50", 27.5},
        {"4.4;D", "d", "4.40", 4.4},
        {"100000;T", "t", "100000.00", 100000.0},
        // No frequency the field takes.
        {"inf;N1", "N1", "", 0},
        {"nan;N2", "N2", "", 0},
        {"1" + QByteArray(308, '0') + ";N3", "N3", "", 0},
        {"-5;N4", "N4", "", 0},
        {"0;N5", "N5", "", 0},
        {"100001;N6", "N6", "", 0},
        {"0.00009;N7", "N7", "", 0},
        {"Hz 440;N8", "N8", "", 0},
        {"N9", "N9", "", 0},
    };
    QByteArray table;
    for (const Case& c : cases)
        table += c.line + "\r\n";
    // The last line with a frequency names it.
    PutTable(table + "440.00;A4\r\n");
    CChooserDlg chooser;
    RunModal(chooser, [&] {
        bool opened = false;
        PressWave(chooser, [&](CDialog& wave) {
            opened = true;
            for (const Case& c : cases) {
                SCOPED_TRACE(c.line.left(20).toStdString());
                Type(wave, IDC_FREQUENCY, QStringLiteral("1"));
                Type(wave, IDC_NOTE, QString::fromLatin1(c.typed));
                EXPECT_EQ(Text(wave, IDC_FREQUENCY), Local(c.shown));
                EXPECT_EQ(Text(wave, IDC_PERIOD), c.hz ? PeriodText(c.hz) : QString());
                // Visiting the frequency field and leaving it rewrites nothing.
                QTest::mouseClick(Widget(wave, IDC_FREQUENCY), Qt::LeftButton);
                QTest::keyClick(Widget(wave, IDC_FREQUENCY), Qt::Key_Tab);
                EXPECT_EQ(Text(wave, IDC_FREQUENCY), Local(c.shown));
            }
            // A typed frequency finds the last line that gives it.
            Type(wave, IDC_FREQUENCY, QStringLiteral("440"));
            EXPECT_EQ(Text(wave, IDC_NOTE), QStringLiteral("A4"));
            Type(wave, IDC_FREQUENCY, Local("4.4"));
            EXPECT_EQ(Text(wave, IDC_NOTE), QStringLiteral("D"));
            Type(wave, IDC_FREQUENCY, QStringLiteral("5"));
            EXPECT_EQ(Text(wave, IDC_NOTE), QString());
        });
        EXPECT_TRUE(opened);
    });
}

}  // namespace
