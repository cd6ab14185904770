#pragma once
// The application object, the program's entry and its message boxes.

#include "framework/MessageMap.h"

class CWnd;
class CException;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    // Runs once the program may start. Returns false to end the program
    // without entering a message loop.
    virtual bool InitInstance();
    // Runs last; its result is the exit code when no message loop ran.
    virtual int ExitInstance();

    // The program's name: string-table entry AFX_IDS_APP_TITLE, else the executable's
    // file name without its extension.
    CString m_pszAppName;
    // The owner of every dialog that is given none.
    CWnd* m_pMainWnd = nullptr;

    // The framework's main routine; returns the process exit code.
    int Run(int argc, char** argv);
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
CString AfxGetAppName();

// The program's entry: hands over to the one application object.
int AfxWinMain(int argc, char** argv);

// Sets up the toolkit's look for the program's windows, once the toolkit's
// application object exists. The main routine does it; so must a program
// that makes the windows without it (tests, screenshots, benchmarks).
void AfxInitWindowStyle();

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONINFORMATION = 0x40;

// A modal message box captioned with the program's name.
int AfxMessageBox(const CString& text, UINT type = MB_OK | MB_ICONSTOP);

// The report of an error raised inside a handler: the stop icon and its text.
void ReportException(const CException& e);

// Starts a program with arguments as a separate process and does not wait;
// false if it could not be started.
bool StartDetachedProcess(const CString& program, const CStringList& arguments);

// The user's separators, as their locale gives them.
CString GetUserDecimalSeparator();
CString GetUserThousandsSeparator();

// Resources by id.
CString LoadResourceString(int id);

// An icon resource; 0 when there is none.
using HICON = int;
HICON AfxLoadIcon(int id);
