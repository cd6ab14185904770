#include "framework/File.h"

#include "framework/Translation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CString CFileException::GetErrorMessage() const
{
    const CString name = m_strFileName.isEmpty() ? Translate("File", "an unnamed file") : m_strFileName;
    switch (m_cause) {
    case fileNotFound:
    case tooLarge:
    case invalidFile: return Translate("File", "%1 was not found.").arg(name);
    case badPath: return Translate("File", "All or part of the path %1 is not valid.").arg(name);
    case accessDenied: return Translate("File", "%1 could not be read: access was denied.").arg(name);
    case endOfFile: return Translate("File", "%1 ended before it could be read whole.").arg(name);
    case hardIO: return Translate("File", "%1 could not be read: the device reported an error.").arg(name);
    case none:
    case genericException: break;
    }
    return Translate("File", "%1 could not be read.").arg(name);
}

CFile::~CFile() { Close(); }

bool CFile::Open(const CString& path, UINT flags)
{
    return Open(std::filesystem::path(QFile::encodeName(path).toStdString()), flags);
}

bool CFile::Open(const std::filesystem::path& path, UINT)
{
    Close();
    // Only regular files: opening a FIFO would block, a directory or a device
    // is no table. Such a file is treated as one that could not be opened.
    // The kind is asked of what was opened, not of the path beforehand: the
    // file may be replaced in between. O_NONBLOCK keeps a FIFO from blocking
    // the open itself; it changes nothing for a regular file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    m_file = std::move(file);
    return true;
}

std::uint64_t CFile::GetLength() const
{
    if (!m_file)
        throw CFileException(CFileException::fileNotFound);
    const qint64 size = m_file->size();
    if (size < 0)
        throw CFileException(CFileException::genericException);
    if (std::uint64_t(size) > kMaxLength)
        throw CFileException(CFileException::tooLarge);
    return std::uint64_t(size);
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (!m_file)
        throw CFileException(CFileException::fileNotFound);
    const qint64 got = m_file->read(static_cast<char*>(buffer), qint64(count));
    if (got < 0)
        throw CFileException(CFileException::hardIO);
    return UINT(got);
}

void CFile::Close()
{
    if (m_file)
        m_file->close();
    m_file.reset();
}

std::vector<unsigned char> ReadWholeFile(const CString& path)
{
    return ReadWholeFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
}

std::vector<unsigned char> ReadWholeFile(const std::filesystem::path& path)
{
    CFile file;
    // Not checked here: after a failed open GetLength raises fileNotFound.
    // Directories, FIFOs and devices fail to open, so a FIFO cannot block us.
    file.Open(path, CFile::modeRead);
    // Raises for files over 1 MiB too: a stray large file is no data file.
    const auto length = file.GetLength();
    std::vector<unsigned char> bytes(length);
    // Only what was read counts, should the file have shrunk meanwhile.
    const UINT count = file.Read(bytes.data(), UINT(length));
    bytes.resize(count);
    file.Close();
    return bytes;
}
