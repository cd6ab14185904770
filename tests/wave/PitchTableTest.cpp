// The pitch table in the engine: how a table file's bytes become lines, the
// two look-ups, and the table that ships with the program. Plain C++, as the
// engine is. (Reading the file, and its errors: TableFileTest.cpp.)

#include "calc/wave/WaveModel.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

// Test texts are ASCII, or Latin-1 written as bytes: one unit per byte.
std::u16string U16(const std::string& latin1)
{
    std::u16string text;
    for (const char c : latin1)
        text.push_back(char16_t(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> LinesOf(const CWaveModel& model)
{
    std::vector<std::string> lines;
    for (const std::u16string& line : *model.m_pLines)
        lines.emplace_back(line.begin(), line.end());  // ASCII in these tests
    return lines;
}

std::unique_ptr<CWaveModel> Load(const std::string& bytes)
{
    auto model = std::make_unique<CWaveModel>();
    model->LoadTable(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    return model;
}

// The number part of a line as the tests expect it read.
double Number(const char* text) { return std::strtod(text, nullptr); }

}  // namespace

TEST(PitchTableTest, ANewEngineHasAnEmptyTable)
{
    CWaveModel model;
    ASSERT_NE(model.m_pLines, nullptr);
    EXPECT_TRUE(model.m_pLines->empty());
    model.SetNote(u"A4");
    EXPECT_FALSE(model.FindFrequency());
    model.m_frequency = 440.0;
    model.FindNote();
    EXPECT_TRUE(model.m_note.empty());
}

TEST(PitchTableTest, LineEndsNeedBothCrAndLf)
{
    struct Case {
        const char* name;
        std::string bytes;
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
        const auto model = Load(c.bytes);
        EXPECT_EQ(LinesOf(*model), c.lines);
        // The parse alone, as the fuzz target uses it, reads alike.
        EXPECT_EQ(CWaveModel::ParseTable(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size()),
                  *model->m_pLines);
    }

    // A table loaded again replaces the lines it had.
    const auto model = Load("440.00;A4\r\n");
    model->LoadTable(reinterpret_cast<const unsigned char*>("261.63;C4\r\n"), 11);
    EXPECT_EQ(LinesOf(*model), std::vector<std::string> {"261.63;C4"});
}

TEST(PitchTableTest, EmptyTableFindsNothing)
{
    // The names are there, but with LF-only line ends no line is complete.
    const auto model = Load("440.00;A4\n261.63;C4\n");
    model->m_frequency = 440.0;
    model->FindNote();
    EXPECT_TRUE(model->m_note.empty());

    model->SetNote(u"A4");
    EXPECT_FALSE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 440.0);
}

TEST(PitchTableTest, FindFrequencyTakesTheFirstLineWithTheNameInAnyCase)
{
    const auto model = Load("27.50;A0\r\n440.00;A4\r\n880.00;a4\r\n466.16;A#4\r\n");

    model->SetNote(u"a4");
    ASSERT_TRUE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 440.0);
    EXPECT_EQ(model->m_note, u"a4");          // the typed text stays as typed
    EXPECT_EQ(model->m_period, 1.0 / 440.0);  // Compute() ran
    EXPECT_EQ(model->m_periodMs, 1.0 / 440.0 * 1000.0);

    model->SetNote(u"a#4");
    ASSERT_TRUE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 466.16);
}

TEST(PitchTableTest, FindFrequencyWithoutMatchChangesNothing)
{
    // Spaces count, in the table as in the typed text, and the whole name
    // must match.
    const auto model = Load("440.00;A4\r\n261.63; C4\r\n");
    model->m_frequency = 100.0;
    model->Compute();

    for (const char16_t* text : {u" A4", u"A4 ", u"A", u"A40", u"4", u"440.00;A4", u"C4", u""}) {
        SCOPED_TRACE(std::string(text, text + std::char_traits<char16_t>::length(text)));
        model->SetNote(text);
        EXPECT_FALSE(model->FindFrequency());
        EXPECT_EQ(model->m_note, text);
        EXPECT_EQ(model->m_frequency, 100.0);
        EXPECT_EQ(model->m_period, 0.01);
        EXPECT_EQ(model->m_periodMs, 0.01 * 1000.0);
    }

    model->SetNote(u" c4");
    EXPECT_TRUE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 261.63);
}

TEST(PitchTableTest, FindNoteNeedsExactlyTheSameDouble)
{
    // 440, 440.0 and 440.00 are one value, in the table and typed alike.
    const char* const sameValue[] = {"440", "440.0", "440.00"};
    for (const char* tableText : sameValue) {
        const auto model = Load(std::string("261.63;C4\r\n") + tableText + ";A4\r\n466.16;A#4\r\n");
        for (const char* typed : sameValue) {
            SCOPED_TRACE(testing::Message() << "table " << tableText << ", typed " << typed);
            model->m_frequency = Number(typed);
            model->FindNote();
            EXPECT_EQ(model->m_note, u"A4");
        }
        for (const double other : {440.001, std::nextafter(440.0, 0.0), std::nextafter(440.0, 1000.0)}) {
            SCOPED_TRACE(testing::Message() << "table " << tableText << ", value " << other);
            model->SetNote(u"stale");
            model->m_frequency = other;
            model->FindNote();
            EXPECT_TRUE(model->m_note.empty());
        }
    }
}

TEST(PitchTableTest, FindNoteTakesTheLastLineWithTheFrequency)
{
    const auto model = Load("440.00;A4\r\n261.63;C4\r\n440;La\r\n440.000;Last\r\n466.16;A#4\r\n");
    model->m_frequency = 440.0;
    model->FindNote();
    EXPECT_EQ(model->m_note, u"Last");
}

TEST(PitchTableTest, SplitsAtTheFirstSemicolon)
{
    // Later ';' belong to the name; the number ends at the first one.
    const auto model = Load("440.00;A;4\r\n261.63;;\r\n");

    model->SetNote(u"A;4");
    ASSERT_TRUE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 440.0);
    model->FindNote();
    EXPECT_EQ(model->m_note, u"A;4");

    model->SetNote(u";");
    ASSERT_TRUE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 261.63);
    model->FindNote();
    EXPECT_EQ(model->m_note, u";");
}

// A line's number part is read as the C library reads a number: blanks, a
// sign, an exponent, hex, and whatever follows the number ignored. Only a
// finite number in the frequency field's range makes the line a note: any
// other line is skipped by both look-ups, so no typed name can put "inf",
// "nan", a 309-digit number or a frequency the field refuses into it.
TEST(PitchTableTest, NumbersAreReadAsTheCLibraryReadsThemAndOnlyThoseInRangeAreNotes)
{
    struct Case {
        std::string number;  // the number part of the line "<number>;X"
        double frequency;    // what the line gives; 0 for a skipped line
    };
    const Case cases[] = {
        // Ordinary numbers, as in the shipped table and tables edited by hand.
        {"440.00", 440.0},
        {"440", 440.0},
        {"440.", 440.0},
        {"0440.000", 440.0},
        {".5", 0.5},
        {"15804.27", 15804.27},
        // Blanks before the number.
        {" 27.50", 27.5},
        {"\t261.5\t", 261.5},
        {" \t\v\f440", 440.0},
        // A sign.
        {"+440", 440.0},
        {"+.5", 0.5},
        {"+ 440", 0},
        {"+-440", 0},
        {"-440.00", 0},
        {"-5", 0},
        {"-0", 0},
        // An exponent, complete or not.
        {"4.4e2", 440.0},
        {"4.4E2", 440.0},
        {"44e+1", 440.0},
        {"44000e-2", 440.0},
        {"4.4e", 4.4},
        {"4.4e+", 4.4},
        {"4.4e2.5", 440.0},
        // Text after the number.
        {"440 Hz", 440.0},
        {"440Hz", 440.0},
        {"27.50 ", 27.5},
        {"440.00.0", 440.0},
        {"4 40", 4.0},
        {"440,00", 440.0},
        {"440-", 440.0},
        {"440\xB0", 440.0},
        // Hex, as the C library reads it.
        {"0x1B8", 440.0},
        {"0X1b8", 440.0},
        {"0x1.b8p8", 440.0},
        {"0x", 0},
        {"0x1p-20", 0},  // below the range
        // Not finite, or no number at all.
        {"inf", 0},
        {"INF", 0},
        {"infinity", 0},
        {"-inf", 0},
        {"nan", 0},
        {"NAN(1)", 0},
        {"", 0},
        {" ", 0},
        {".", 0},
        {"e2", 0},
        {"x", 0},
        {"Hz 440", 0},
        {"\xA0"
         "440",
         0},  // a no-break space is no blank to the C library
        {"\xB9", 0},
        // Zero.
        {"0", 0},
        {"0.00", 0},
        {std::string("0.") + std::string(400, '0') + "1", 0},  // rounds to 0
        // The field's range, ends included, and just past them.
        {"0.0001", 0.0001},
        {"1e-4", 0.0001},
        {"0.00010000000000000001", 0.0001},  // the same double
        {"0.0000999999", 0},
        {"0.00009", 0},
        {"100000", 100000.0},
        {"100000.000", 100000.0},
        {"1e5", 100000.0},
        {"100000.0000001", 0},
        {"100000.01", 0},
        {"1e308", 0},
        {"1" + std::string(308, '0'), 0},  // 1e308 written out
        {"1" + std::string(400, '0'), 0},  // beyond any double
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("number part \"" + c.number + "\"");
        // A line of the same name after it is what a skipped line leaves.
        const auto model = Load(c.number + ";X\r\n261.63;C4\r\n");
        model->m_frequency = 1.0;
        model->Compute();
        model->SetNote(u"x");
        EXPECT_EQ(model->FindFrequency(), c.frequency != 0);
        EXPECT_EQ(model->m_frequency, c.frequency != 0 ? c.frequency : 1.0);
        EXPECT_EQ(model->m_period, c.frequency != 0 ? 1.0 / c.frequency : 1.0);

        // The other way: the line names its frequency only when it gives one.
        model->m_frequency = c.frequency != 0 ? c.frequency : std::strtod(c.number.c_str(), nullptr);
        model->FindNote();
        EXPECT_EQ(model->m_note, c.frequency != 0 ? u"X" : u"");
    }
}

// Whatever locale the process runs in, '.' is the decimal point of a table.
TEST(PitchTableTest, NumbersReadAlikeInALocaleWithADecimalComma)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is not installed";
    const auto model = Load("4.4;X\r\n4,4;Y\r\n4.4e2;Z\r\n");
    model->SetNote(u"x");
    EXPECT_TRUE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 4.4);
    model->SetNote(u"y");
    EXPECT_TRUE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 4.0);
    model->SetNote(u"z");
    EXPECT_TRUE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 440.0);
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(PitchTableTest, ALineWithoutAFrequencyLeavesTheNameToTheNextLine)
{
    // Lines without ';' have no number: skipped too.
    const auto model = Load("A4\r\n440\r\ninf;A4\r\n-440;a4\r\n440.00;A4\r\n880;A4\r\n");
    model->SetNote(u"A4");
    ASSERT_TRUE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 440.0);
    model->FindNote();
    EXPECT_EQ(model->m_note, u"A4");
    model->SetNote(u"440");
    EXPECT_FALSE(model->FindFrequency());
}

TEST(PitchTableTest, BytesAbove7FReadAsLatin1)
{
    const auto model = Load("440.00;\xE9\x80\xFF\r\n");
    ASSERT_EQ(model->m_pLines->size(), 1u);
    EXPECT_EQ(model->m_pLines->at(0), u"440.00;\u00E9\u0080\u00FF");

    // Found again in either case; the typed text is kept as typed.
    model->SetNote(u"\u00C9\u0080\u0178");
    ASSERT_TRUE(model->FindFrequency());
    EXPECT_EQ(model->m_frequency, 440.0);
    EXPECT_EQ(model->m_note, u"\u00C9\u0080\u0178");
    model->FindNote();
    EXPECT_EQ(model->m_note, u"\u00E9\u0080\u00FF");
}

TEST(PitchTableTest, ATableOfExactlyTheFileLimitLoads)
{
    std::string bytes(1024 * 1024, 'x');
    bytes.replace(bytes.size() - 2, 2, "\r\n");
    const auto model = Load(bytes);
    ASSERT_EQ(model->m_pLines->size(), 1u);
    EXPECT_EQ(model->m_pLines->at(0).size(), bytes.size() - 2);
}

TEST(ShippedPitchTableTest, HoldsEveryNoteFromC0ToB9BothWays)
{
    // The table that ships with the program, as the build finds it.
    std::ifstream file(SONAVOLTA_SHIPPED_TABLE, std::ios::binary);
    ASSERT_TRUE(file);
    const std::string bytes {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const auto model = Load(bytes);

    const char* const pitches[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    ASSERT_EQ(model->m_pLines->size(), 120u);
    for (int n = 0; n < 120; ++n) {
        const std::string name = pitches[n % 12] + std::to_string(n / 12);
        SCOPED_TRACE(name);
        const std::string line(model->m_pLines->at(n).begin(), model->m_pLines->at(n).end());
        // Two decimals, ';', the name; the lines in note order.
        EXPECT_TRUE(line.ends_with(';' + name));
        const std::size_t dot = line.find('.');
        EXPECT_EQ(line.find(';'), dot + 3);
        const double fromLine = Number(line.c_str());

        // Equal temperament, A4 = 440 Hz, rounded to two decimals.
        EXPECT_NEAR(fromLine, 440.0 * std::pow(2.0, (n - 57) / 12.0), 0.005 + 1e-9);

        std::string lower = name;
        lower[0] = char(lower[0] - 'A' + 'a');
        model->SetNote(U16(lower));
        ASSERT_TRUE(model->FindFrequency());
        EXPECT_EQ(model->m_frequency, fromLine);

        model->FindNote();
        EXPECT_EQ(model->m_note, U16(name));
    }

    EXPECT_EQ(model->m_pLines->at(0), u"16.35;C0");
    EXPECT_EQ(model->m_pLines->at(48), u"261.63;C4");
    EXPECT_EQ(model->m_pLines->at(57), u"440.00;A4");
    EXPECT_EQ(model->m_pLines->at(119), u"15804.27;B9");
}
