#pragma once
// CFile reads the program's own data files; failures raise CFileException,
// which the framework reports where it dispatched the handler that ran into it.

#include "framework/Core.h"

#include <QFile>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

class CException {
public:
    virtual ~CException() = default;
    // The text shown to the user when a handler ran into this error.
    virtual CString GetErrorMessage() const = 0;
};

class CFileException : public CException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        accessDenied,
        invalidFile,
        endOfFile,
        hardIO,
        tooLarge
    };

    CFileException(Cause cause, CString fileName = {}) : m_cause(cause), m_strFileName(std::move(fileName)) {}
    CString GetErrorMessage() const override;

    Cause m_cause;
    CString m_strFileName;  // empty: the report names "an unnamed file"
};

class CFile {
public:
    enum OpenFlags { modeRead = 0 };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens without raising; a failed open shows up at the next operation.
    // The path as the system's bytes, or as text in the system's encoding.
    bool Open(const std::filesystem::path& path, UINT flags = modeRead);
    bool Open(const CString& path, UINT flags = modeRead);
    // Length in bytes; raises fileNotFound (naming no file) when the file is not open.
    std::uint64_t GetLength() const;
    // Reads up to count bytes; raises on a failed read.
    UINT Read(void* buffer, UINT count);
    void Close();

    // Files larger than this are refused: the program reads only small tables.
    static constexpr std::uint64_t kMaxLength = 1024 * 1024;

private:
    std::unique_ptr<QFile> m_file;
};

// The whole of one of the program's small data files, in one read. Raises
// CFileException when it cannot: fileNotFound, naming no file, when the file
// is missing, not a regular file or may not be read, tooLarge over
// CFile::kMaxLength; on a failed read, the read's error. A file that shrank
// meanwhile gives the bytes that were there.
std::vector<unsigned char> ReadWholeFile(const std::filesystem::path& path);
std::vector<unsigned char> ReadWholeFile(const CString& path);
