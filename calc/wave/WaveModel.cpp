#include "calc/wave/WaveModel.h"

#include "framework/File.h"
#include "framework/Text.h"

#include <vector>

namespace {

constexpr double kSpeedOfSoundCmPerS = 34330.0;  // 343.3 m/s
constexpr double kFeetPerCm = 0.03280839895013123;  // the double nearest to 1 / 30.48
constexpr double kMsPerS = 1000.0;
constexpr double kHalf = 0.5;

constexpr unsigned char kCR = 0x0D;
constexpr unsigned char kLF = 0x0A;

// A table line is "<number>;<name>". Later ';' belong to the name; a line
// without ';' is all name, with an empty number.
struct TableLine
{
    CString number;
    CString name;
};

TableLine SplitLine(const CString& line)
{
    const qsizetype separator = line.indexOf(u';');
    if (separator < 0)
        return {CString(), line};
    return {line.left(separator), line.mid(separator + 1)};
}

}  // namespace

CWaveModel::CWaveModel() : CWaveModel(DefaultTablePath()) {}

CWaveModel::CWaveModel(const CString& tablePath)
{
    LoadTable(tablePath);
}

CWaveModel::~CWaveModel() = default;

CString CWaveModel::DefaultTablePath()
{
    // The executable's real directory, whatever the program is called and
    // however long the path, rather than a fixed-length cut of its path.
    return ExecutableDirectory() + u'/' + QLatin1String(kTableFileName);
}

void CWaveModel::LoadTable(const CString& tablePath)
{
    CFile file;
    // Not checked here: after a failed open GetLength raises fileNotFound.
    // Directories, FIFOs and devices fail to open, so a FIFO cannot block us.
    file.Open(tablePath, CFile::modeRead);
    m_pLines = std::make_unique<CStringList>();
    // Raises for files over 1 MiB too: a stray large file is no pitch table.
    const auto length = file.GetLength();
    std::vector<unsigned char> bytes(length);
    // The scan covers only what was read, should the file have shrunk meanwhile.
    const UINT count = file.Read(bytes.data(), UINT(length));
    *m_pLines = ParseTable(bytes.data(), count);
    file.Close();
}

CStringList CWaveModel::ParseTable(const unsigned char* bytes, std::size_t count)
{
    CStringList lines;
    // A line ends once both a CR and an LF have been seen since the last line
    // end, in either order; bytes between them join the line. Bytes after the
    // last completed line are dropped.
    CString line;
    bool crSeen = false;
    bool lfSeen = false;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char byte = bytes[i];
        if (byte == kCR) {
            crSeen = true;
        } else if (byte == kLF) {
            lfSeen = true;
        } else {
            // Latin-1: each byte is the code point of the same value, so
            // 0x80..0xFF do not turn into U+FF80..U+FFFF by sign extension.
            line.append(QChar::fromLatin1(char(byte)));
        }
        if (crSeen && lfSeen) {
            lines.append(line);
            line.clear();
            crSeen = false;
            lfSeen = false;
        }
    }
    return lines;
}

void CWaveModel::Compute()
{
    // Each step is one rounded operation on the stored result of the one
    // before; the last bits of the results depend on this order.
    if (m_frequency > 0)
        m_period = 1.0 / m_frequency;
    m_wavelengthCm = m_period * kSpeedOfSoundCmPerS;
    m_wavelengthFt = m_wavelengthCm * kFeetPerCm;
    m_periodMs = m_period * kMsPerS;
    m_halfWavelengthCm = m_wavelengthCm * kHalf;
    m_halfWavelengthFt = m_wavelengthFt * kHalf;
    m_halfPeriodMs = m_periodMs * kHalf;
}

void CWaveModel::SetNote(const CString& note)
{
    m_note = note;
}

void CWaveModel::FindNote()
{
    m_note.clear();
    // No early exit: when several lines carry the frequency, the last one names it.
    for (const CString& line : *m_pLines) {
        const TableLine parts = SplitLine(line);
        if (StringToDouble(parts.number) == m_frequency)
            m_note = parts.name;
    }
}

bool CWaveModel::FindFrequency()
{
    for (const CString& line : *m_pLines) {
        const TableLine parts = SplitLine(line);
        if (parts.name.compare(m_note, Qt::CaseInsensitive) == 0) {
            m_frequency = StringToDouble(parts.number);
            Compute();
            return true;
        }
    }
    return false;
}
