// The pitch-table loader and both look-ups on arbitrary bytes.
//
// Checked besides "no crash, no undefined behaviour, no hang":
// - the loader reading the bytes from a file gives the same lines as the
//   parse of the bytes themselves;
// - no line holds a CR or an LF, and no line is longer than the input;
// - a line's frequency finds a name, that of the last line with that
//   frequency; a line's name finds a frequency, that of the first line with
//   that name in any case, and the results then follow from it;
// - a name in no line finds nothing and changes nothing.

#include "calc/wave/WaveModel.h"
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
    return semicolon < 0 ? Parts{{}, line} : Parts{line.left(semicolon), line.mid(semicolon + 1)};
}

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

QString TablePath()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("spn.dat"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CStringList lines = CWaveModel::ParseTable(data, size);
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
    CWaveModel model(TablePath());
    if (*model.m_pLines != lines)
        Fail("the loader and the parse disagree");

    // Both look-ups for the first few lines (the table may be long).
    const qsizetype probes = std::min<qsizetype>(lines.size(), 8);
    for (qsizetype i = 0; i < probes; ++i) {
        const Parts parts = Split(lines.at(i));
        const double frequency = StringToDouble(parts.number);

        model.m_frequency = frequency;
        model.FindNote();
        if (!std::isnan(frequency)) {
            qsizetype last = -1;
            for (qsizetype j = 0; j < lines.size(); ++j) {
                if (StringToDouble(Split(lines.at(j)).number) == frequency)
                    last = j;
            }
            if (last < i || model.m_note != Split(lines.at(last)).name)
                Fail("FindNote does not give the last line with the frequency");
        } else if (!model.m_note.isEmpty()) {
            Fail("FindNote found a name for NaN");
        }

        model.SetNote(parts.name);
        model.m_frequency = -1.0;
        if (!model.FindFrequency())
            Fail("FindFrequency misses a name of the table");
        qsizetype first = 0;
        while (Split(lines.at(first)).name.compare(parts.name, Qt::CaseInsensitive) != 0)
            ++first;
        if (first > i || !SameDouble(model.m_frequency, StringToDouble(Split(lines.at(first)).number)))
            Fail("FindFrequency does not give the first line with the name");
        if (model.m_frequency > 0 && !SameDouble(model.m_period, 1.0 / model.m_frequency))
            Fail("FindFrequency did not compute the period");
        if (model.m_note != parts.name)
            Fail("FindFrequency changed the note");
    }

    // A name in no line: nothing found, nothing changed.
    const CString absent = QStringLiteral("\u2603absent");
    model.SetNote(absent);
    model.m_frequency = 123.0;
    model.Compute();
    const double period = model.m_period;
    if (model.FindFrequency() || model.m_frequency != 123.0 || model.m_period != period || model.m_note != absent)
        Fail("a name in no line changed the engine");
    return 0;
}
