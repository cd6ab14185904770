// The pitch table from its file to the engine: the loader's file errors and
// limits, the bytes handed over unchanged, and note names that compare as
// the dialog's own texts compare, ignoring case.

#include "calc/wave/WaveModel.h"

#include "framework/File.h"
#include "framework/Text.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TableFileTest : public testing::Test {
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

    QTemporaryDir m_dir;
};

TEST_F(TableFileTest, AFileThatCannotBeReadRaisesFileError)
{
    struct Case {
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
            ReadWholeFile(c.path);
            ADD_FAILURE() << "no file error raised";
        } catch (const CFileException& error) {
            EXPECT_EQ(error.m_cause, c.cause);
            EXPECT_TRUE(error.m_strFileName.isEmpty());
            EXPECT_EQ(error.GetErrorMessage(), "an unnamed file was not found.");
        }
    }
}

TEST_F(TableFileTest, TheEngineGetsTheFileAsItIs)
{
    // Up to the limit, every byte, line ends and all.
    QByteArray big(CFile::kMaxLength, 'x');
    big.replace(big.size() - 2, 2, "\r\n");
    for (const QByteArray& bytes : {QByteArray(), QByteArray("440.00;A4\r\n261.63;\xE9\r\ntail"), big}) {
        SCOPED_TRACE(bytes.size());
        const std::vector<unsigned char> read = ReadWholeFile(WriteFile(bytes));
        ASSERT_EQ(read.size(), std::size_t(bytes.size()));
        EXPECT_TRUE(std::equal(read.begin(), read.end(), bytes.begin(),
                               [](unsigned char a, char b) { return a == static_cast<unsigned char>(b); }));

        CWaveModel model;
        model.LoadTable(read.data(), read.size());
        EXPECT_EQ(*model.m_pLines, CWaveModel::ParseTable(read.data(), read.size()));
    }
}

// The note field's texts reach the engine as UTF-16 and come back unchanged;
// a typed name and a table name compare as the dialog's texts compare,
// ignoring case, for every character a field can hold against every
// character a table name can.
TEST(NoteNames, CompareIgnoringCaseAsTextsDo)
{
    // One line per byte that a name can hold; line i + 1 names byte i.
    std::string bytes;
    std::vector<char16_t> names;
    for (int b = 0; b < 256; ++b) {
        if (b == 0x0D || b == 0x0A)
            continue;
        names.push_back(char16_t(b));
        bytes += std::to_string(names.size()) + ";" + char(b) + "\r\n";
    }
    CWaveModel model;
    model.LoadTable(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    ASSERT_EQ(model.m_pLines->size(), names.size());

    int mismatches = 0;
    for (int u = 0; u <= 0xFFFF && mismatches < 10; ++u) {
        const CString typed {QChar(char16_t(u))};
        std::size_t expected = 0;  // the first line that matches, counted from 1; 0 for none
        for (std::size_t i = 0; i < names.size() && expected == 0; ++i) {
            if (typed.compare(QString(QChar(names[i])), Qt::CaseInsensitive) == 0)
                expected = i + 1;
        }
        model.m_frequency = 0.0;
        model.SetNote(ToU16(typed));
        const bool found = model.FindFrequency();
        const std::size_t got = found ? std::size_t(model.m_frequency) : 0;
        if (got != expected) {
            ++mismatches;
            ADD_FAILURE() << "U+" << std::hex << u << ": line " << std::dec << got << ", expected " << expected;
        }
        EXPECT_EQ(FromU16(model.m_note), typed);
    }

    // Longer texts, surrogate pairs and lone surrogates among them.
    const CString texts[] = {QStringLiteral("c#4"), QString::fromUtf16(u"\U0001D11E"), QString(QChar(0xD834)),
                             QString::fromUtf16(u"\u00B5\u212A")};
    for (const CString& text : texts)
        EXPECT_EQ(FromU16(ToU16(text)), text);
}

}  // namespace
