// The pitch table: how the file's bytes become lines, the two look-ups, the
// file errors, and the table that ships with the program.

#include "calc/wave/WaveModel.h"

#include "framework/File.h"
#include "framework/Text.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

// Failure messages show texts as text.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

std::vector<std::string> LinesOf(const CWaveModel& model)
{
    std::vector<std::string> lines;
    for (const CString& line : *model.m_pLines)
        lines.push_back(line.toStdString());
    return lines;
}

// Each test writes its own small table into a fresh directory.
class PitchTableTest : public testing::Test
{
protected:
    CString PathOf(const char* fileName) const { return m_dir.filePath(QString::fromLatin1(fileName)); }

    CString WriteFile(const QByteArray& bytes, const char* fileName = "spn.dat") const
    {
        const CString path = PathOf(fileName);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }

    CWaveModel Load(const QByteArray& bytes) const { return CWaveModel(WriteFile(bytes)); }

    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(PitchTableTest, LineEndsNeedBothCrAndLf)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"CR LF after every line", "440.00;A4\r\n261.63;C4\r\n", {"440.00;A4", "261.63;C4"}},
        {"LF alone ends nothing", "440.00;A4\n261.63;C4\n", {}},
        {"CR alone ends nothing", "440.00;A4\r261.63;C4\r", {}},
        {"final line without CR LF is dropped", "440.00;A4\r\n261.63;C4", {"440.00;A4"}},
        {"final line with CR only is dropped", "440.00;A4\r\n261.63;C4\r", {"440.00;A4"}},
        {"bytes between CR and LF join the line", "440.00;A\r4\n261.63;C4\r\n", {"440.00;A4", "261.63;C4"}},
        {"LF then CR ends a line too", "440.00;A4\n\r261.63;C4\n\r", {"440.00;A4", "261.63;C4"}},
        {"LF, bytes, CR", "440.00;\nA4\r", {"440.00;A4"}},
        {"a second CR before the LF changes nothing", "440.00;A4\r\r\n", {"440.00;A4"}},
        {"empty lines are lines", "\r\n\r\n440.00;A4\r\n", {"", "", "440.00;A4"}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CWaveModel model = Load(c.bytes);
        EXPECT_EQ(LinesOf(model), c.lines);
        // The parse without a file, as the fuzz target uses it, reads alike.
        EXPECT_EQ(CWaveModel::ParseTable(reinterpret_cast<const unsigned char*>(c.bytes.constData()), c.bytes.size()),
                  *model.m_pLines);
    }
}

TEST_F(PitchTableTest, EmptyTableFindsNothing)
{
    // The names are there, but with LF-only line ends no line is complete.
    CWaveModel model = Load("440.00;A4\n261.63;C4\n");
    model.m_frequency = 440.0;
    model.FindNote();
    EXPECT_TRUE(model.m_note.isEmpty());

    model.SetNote("A4");
    EXPECT_FALSE(model.FindFrequency());
    EXPECT_EQ(model.m_frequency, 440.0);
}

TEST_F(PitchTableTest, FindFrequencyTakesTheFirstLineWithTheNameInAnyCase)
{
    CWaveModel model = Load("27.50;A0\r\n440.00;A4\r\n880.00;a4\r\n466.16;A#4\r\n");

    model.SetNote("a4");
    ASSERT_TRUE(model.FindFrequency());
    EXPECT_EQ(model.m_frequency, 440.0);
    EXPECT_EQ(model.m_note, "a4");  // the typed text stays as typed
    EXPECT_EQ(model.m_period, 1.0 / 440.0);  // Compute() ran
    EXPECT_EQ(model.m_periodMs, 1.0 / 440.0 * 1000.0);

    model.SetNote("a#4");
    ASSERT_TRUE(model.FindFrequency());
    EXPECT_EQ(model.m_frequency, 466.16);
}

TEST_F(PitchTableTest, FindFrequencyWithoutMatchChangesNothing)
{
    // Spaces count, in the table as in the typed text, and the whole name
    // must match.
    CWaveModel model = Load("440.00;A4\r\n261.63; C4\r\n");
    model.m_frequency = 100.0;
    model.Compute();

    for (const char* text : {" A4", "A4 ", "A", "A40", "4", "440.00;A4", "C4", ""}) {
        SCOPED_TRACE(text);
        model.SetNote(text);
        EXPECT_FALSE(model.FindFrequency());
        EXPECT_EQ(model.m_note, text);
        EXPECT_EQ(model.m_frequency, 100.0);
        EXPECT_EQ(model.m_period, 0.01);
        EXPECT_EQ(model.m_periodMs, 0.01 * 1000.0);
    }

    model.SetNote(" c4");
    EXPECT_TRUE(model.FindFrequency());
    EXPECT_EQ(model.m_frequency, 261.63);
}

TEST_F(PitchTableTest, FindNoteNeedsExactlyTheSameDouble)
{
    // 440, 440.0 and 440.00 are one value, in the table and typed alike.
    const char* const sameValue[] = {"440", "440.0", "440.00"};
    for (const char* tableText : sameValue) {
        CWaveModel model = Load(QByteArray("261.63;C4\r\n") + tableText + ";A4\r\n466.16;A#4\r\n");
        for (const char* typed : sameValue) {
            SCOPED_TRACE(testing::Message() << "table " << tableText << ", typed " << typed);
            model.m_frequency = StringToDouble(typed);
            model.FindNote();
            EXPECT_EQ(model.m_note, "A4");
        }
        for (const double other : {440.001, std::nextafter(440.0, 0.0), std::nextafter(440.0, 1000.0)}) {
            SCOPED_TRACE(testing::Message() << "table " << tableText << ", value " << other);
            model.SetNote("stale");
            model.m_frequency = other;
            model.FindNote();
            EXPECT_TRUE(model.m_note.isEmpty());
        }
    }
}

TEST_F(PitchTableTest, FindNoteTakesTheLastLineWithTheFrequency)
{
    CWaveModel model = Load("440.00;A4\r\n261.63;C4\r\n440;La\r\n440.000;Last\r\n466.16;A#4\r\n");
    model.m_frequency = 440.0;
    model.FindNote();
    EXPECT_EQ(model.m_note, "Last");
}

TEST_F(PitchTableTest, SplitsAtTheFirstSemicolon)
{
    // "A4" has no ';': all name, number 0.0. "x;Bad" has a number part that
    // reads as 0.0. Later ';' belong to the name.
    CWaveModel model = Load("A4\r\n440.00;A;4\r\nx;Bad\r\n;;\r\n 261.63xyz;C4\r\n");

    model.SetNote("A4");
    ASSERT_TRUE(model.FindFrequency());
    EXPECT_EQ(model.m_frequency, 0.0);

    model.SetNote("A;4");
    ASSERT_TRUE(model.FindFrequency());
    EXPECT_EQ(model.m_frequency, 440.0);
    model.FindNote();
    EXPECT_EQ(model.m_note, "A;4");

    model.SetNote(";");
    ASSERT_TRUE(model.FindFrequency());
    EXPECT_EQ(model.m_frequency, 0.0);

    // Leading space skipped, the number ends at the first character that
    // cannot continue it.
    model.SetNote("C4");
    ASSERT_TRUE(model.FindFrequency());
    EXPECT_EQ(model.m_frequency, 261.63);

    // Of the four lines that read 0.0, the last names it.
    model.m_frequency = 0.0;
    model.FindNote();
    EXPECT_EQ(model.m_note, ";");
}

TEST_F(PitchTableTest, BytesAbove7FReadAsLatin1)
{
    const CWaveModel model = Load("440.00;\xE9\x80\xFF\r\n");
    ASSERT_EQ(model.m_pLines->size(), 1);
    EXPECT_EQ(model.m_pLines->at(0), QString::fromUtf16(u"440.00;\u00E9\u0080\u00FF"));
}

TEST_F(PitchTableTest, FileThatCannotBeReadRaisesFileError)
{
    struct Case
    {
        const char* name;
        CString path;
        CFileException::Cause cause;
    };
    const CString directory = PathOf("spn.dat");
    ASSERT_TRUE(QDir().mkpath(directory));
    const Case cases[] = {
        {"missing", PathOf("missing.dat"), CFileException::fileNotFound},
        {"directory", directory, CFileException::fileNotFound},
        {"over 1 MiB", WriteFile(QByteArray(CFile::kMaxLength + 1, 'x'), "big.dat"), CFileException::tooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            CWaveModel model(c.path);
            ADD_FAILURE() << "no file error raised";
        } catch (const CFileException& error) {
            EXPECT_EQ(error.m_cause, c.cause);
            EXPECT_TRUE(error.m_strFileName.isEmpty());
            EXPECT_EQ(error.GetErrorMessage(), "an unnamed file was not found.");
        }
    }
}

TEST_F(PitchTableTest, FileOfExactlyTheLimitLoads)
{
    QByteArray bytes(CFile::kMaxLength, 'x');
    bytes.replace(bytes.size() - 2, 2, "\r\n");
    const CWaveModel model = Load(bytes);
    ASSERT_EQ(model.m_pLines->size(), 1);
    EXPECT_EQ(model.m_pLines->at(0).size(), bytes.size() - 2);
}

TEST(ShippedPitchTableTest, HoldsEveryNoteFromC0ToB9BothWays)
{
    const char* const pitches[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    CWaveModel model;  // reads the table beside this executable
    ASSERT_EQ(model.m_pLines->size(), 120);

    for (int n = 0; n < 120; ++n) {
        const CString name = QString::fromLatin1(pitches[n % 12]) + QString::number(n / 12);
        SCOPED_TRACE(name.toStdString());
        const CString line = model.m_pLines->at(n);
        // Two decimals, ';', the name; the lines in note order.
        EXPECT_TRUE(line.endsWith(';' + name));
        const qsizetype dot = line.indexOf('.');
        EXPECT_EQ(line.indexOf(';'), dot + 3);
        const double fromLine = StringToDouble(line);

        // Equal temperament, A4 = 440 Hz, rounded to two decimals.
        EXPECT_NEAR(fromLine, 440.0 * std::pow(2.0, (n - 57) / 12.0), 0.005 + 1e-9);

        model.SetNote(name.toLower());
        ASSERT_TRUE(model.FindFrequency());
        EXPECT_EQ(model.m_frequency, fromLine);

        model.FindNote();
        EXPECT_EQ(model.m_note, name);
    }

    EXPECT_EQ(model.m_pLines->at(0), "16.35;C0");
    EXPECT_EQ(model.m_pLines->at(48), "261.63;C4");
    EXPECT_EQ(model.m_pLines->at(57), "440.00;A4");
    EXPECT_EQ(model.m_pLines->at(119), "15804.27;B9");
}
