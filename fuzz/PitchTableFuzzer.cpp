// The pitch-table loader and both look-ups on arbitrary bytes.
//
// Checked besides "no crash, no undefined behaviour, no hang":
// - the loader reading the bytes from a file hands the engine the same
//   lines as the parse of the bytes themselves;
// - no line holds a CR or an LF, and no line is longer than the input;
// - only lines whose number part, read as the C library reads it in the
//   "C" locale, gives a number from CWaveModel::kMinFrequency to
//   kMaxFrequency are notes, told apart here by a reading of its own;
// - a note's frequency finds a name, that of the last note with that
//   frequency; any other line's number finds no name of its own;
// - a line's name finds the frequency of the first note with that name in
//   any case, always one in the field's range, and the results then follow
//   from it; a name no note has finds nothing and changes nothing.

#include "calc/wave/WaveModel.h"
#include "framework/File.h"
#include "framework/Text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void Fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

struct Parts {
    CString number;
    CString name;
};

Parts Split(const CString& line)
{
    const qsizetype semicolon = line.indexOf(u';');
    return semicolon < 0 ? Parts {{}, line} : Parts {line.left(semicolon), line.mid(semicolon + 1)};
}

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The frequency a number part gives, or NaN when the line is no note.
double FrequencyOf(const CString& number)
{
    const double value = StringToDouble(number);
    return value >= CWaveModel::kMinFrequency && value <= CWaveModel::kMaxFrequency ? value : NAN;
}

QString TablePath()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("spn.dat"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CStringList lines;
    for (const std::u16string& line : CWaveModel::ParseTable(data, size))
        lines.append(FromU16(line));
    for (const CString& line : lines) {
        if (line.contains(u'\r') || line.contains(u'\n'))
            Fail("a line holds a line end");
        if (std::size_t(line.size()) > size)
            Fail("a line is longer than the input");
    }

    // The loader through a real file.
    {
        QFile file(TablePath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            Fail("cannot write the table file");
    }
    CWaveModel model;
    const std::vector<unsigned char> read = ReadWholeFile(TablePath());
    model.LoadTable(read.data(), read.size());
    if (model.m_pLines->size() != std::size_t(lines.size()))
        Fail("the loader and the parse disagree");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (FromU16(model.m_pLines->at(i)) != lines.at(i))
            Fail("the loader and the parse disagree");
    }

    // Both look-ups for the first few lines (the table may be long).
    const qsizetype probes = std::min<qsizetype>(lines.size(), 8);
    for (qsizetype i = 0; i < probes; ++i) {
        const Parts parts = Split(lines.at(i));
        const double frequency = FrequencyOf(parts.number);

        if (!std::isnan(frequency)) {
            model.m_frequency = frequency;
            model.FindNote();
            qsizetype last = -1;
            for (qsizetype j = 0; j < lines.size(); ++j) {
                if (FrequencyOf(Split(lines.at(j)).number) == frequency)
                    last = j;
            }
            if (last < i || FromU16(model.m_note) != Split(lines.at(last)).name)
                Fail("FindNote does not give the last note with the frequency");
        } else {
            // What the C library reads from the line (inf, nan, -5, 1e6, ...)
            // names nothing but a note of exactly that value.
            const double read = StringToDouble(parts.number);
            model.m_frequency = read;
            model.FindNote();
            bool someNote = false;
            for (const CString& line : lines) {
                const Parts other = Split(line);
                someNote = someNote || (FrequencyOf(other.number) == read && FromU16(model.m_note) == other.name);
            }
            if (!model.m_note.empty() && !someNote)
                Fail("FindNote named a line that is no note");
        }

        model.SetNote(ToU16(parts.name));
        model.m_frequency = -1.0;
        model.Compute();
        const double periodBefore = model.m_period;
        qsizetype first = 0;
        while (first < lines.size()
               && (Split(lines.at(first)).name.compare(parts.name, Qt::CaseInsensitive) != 0
                   || std::isnan(FrequencyOf(Split(lines.at(first)).number))))
            ++first;
        const bool found = model.FindFrequency();
        if (found != (first < lines.size()))
            Fail("FindFrequency does not find exactly the names of notes");
        if (found) {
            if (!SameDouble(model.m_frequency, FrequencyOf(Split(lines.at(first)).number)))
                Fail("FindFrequency does not give the first note with the name");
            if (!(model.m_frequency >= CWaveModel::kMinFrequency && model.m_frequency <= CWaveModel::kMaxFrequency))
                Fail("FindFrequency gave a frequency outside the field's range");
            if (!SameDouble(model.m_period, 1.0 / model.m_frequency))
                Fail("FindFrequency did not compute the period");
        } else if (model.m_frequency != -1.0 || !SameDouble(model.m_period, periodBefore)) {
            Fail("FindFrequency without a note changed the engine");
        }
        if (FromU16(model.m_note) != parts.name)
            Fail("FindFrequency changed the note");
    }

    // A name in no line: nothing found, nothing changed.
    const CString absent = QStringLiteral("\u2603absent");
    model.SetNote(ToU16(absent));
    model.m_frequency = 123.0;
    model.Compute();
    const double period = model.m_period;
    if (model.FindFrequency() || model.m_frequency != 123.0 || model.m_period != period
        || FromU16(model.m_note) != absent)
        Fail("a name in no line changed the engine");
    return 0;
}
