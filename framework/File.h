#pragma once
// CFile reads the program's own data files; failures raise CFileException,
// which the framework reports where it dispatched the handler that ran into it.

#include "framework/Core.h"

#include <QFile>
#include <cstdint>
#include <memory>

class CException {
public:
    virtual ~CException() = default;
    // The text shown to the user when a handler ran into this error.
    virtual CString GetErrorMessage() const = 0;
};

class CFileException : public CException {
public:
    enum Cause { none, genericException, fileNotFound, badPath, accessDenied, invalidFile, endOfFile, hardIO, tooLarge };

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
