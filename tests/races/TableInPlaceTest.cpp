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

// A table edited by hand, or by someone hostile: a typed name whose line
// gives no frequency the field takes finds nothing, as a name in no line
// does, and the field is left empty; the ordinary lines keep working.
TEST_F(TableInPlace, LinesWithoutAPlainFrequencyInRangeNameNoNote)
{
    PutTable("inf;N1\r\nnan;N2\r\n1" + QByteArray(308, '0')
             + ";N3\r\n-5;N4\r\n0;N5\r\n0x1B8;N6\r\n"
               "1e3;N7\r\n100001;N8\r\n440.00;A4\r\n 27.5 ;A0\r\n");
    CChooserDlg chooser;
    RunModal(chooser, [&] {
        bool opened = false;
        PressWave(chooser, [&](CDialog& wave) {
            opened = true;
            for (const char* name : {"N1", "N2", "N3", "N4", "N5", "N6", "N7", "N8"}) {
                SCOPED_TRACE(name);
                Type(wave, IDC_FREQUENCY, QStringLiteral("440"));
                Type(wave, IDC_NOTE, QString::fromLatin1(name));
                EXPECT_EQ(Text(wave, IDC_FREQUENCY), QString());
                EXPECT_EQ(Text(wave, IDC_PERIOD), QString());
            }
            Type(wave, IDC_NOTE, QStringLiteral("a0"));
            EXPECT_EQ(Text(wave, IDC_FREQUENCY), Local("27.50"));
            Type(wave, IDC_NOTE, QStringLiteral("A4"));
            EXPECT_EQ(Text(wave, IDC_FREQUENCY), Local("440.00"));
            // And a typed frequency finds only the ordinary line.
            Type(wave, IDC_FREQUENCY, QStringLiteral("1000"));
            EXPECT_EQ(Text(wave, IDC_NOTE), QString());
        });
        EXPECT_TRUE(opened);
    });
}

}  // namespace
