#include "framework/WinApp.h"

#include "framework/File.h"
#include "framework/Ids.h"
#include "framework/Program.h"
#include "framework/ResourceTypes.h"
#include "framework/Screen_p.h"
#include "framework/SingleCopyRequest.h"
#include "framework/SingleInstance_p.h"
#include "framework/TestHooks.h"
#include "framework/Text.h"
#include "framework/Translation.h"
#include "framework/WaylandProbe.h"
#include "framework/Widgets_p.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>

namespace {

CWinApp* g_app = nullptr;

// Every window is painted by the raster engine, so Qt need not bring up its
// OpenGL integrations as it starts: on Wayland its EGL client buffers cost
// most of the start-up time. A user's own setting of these wins.
const char* const kWaylandSwitch = "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION";
const char* const kXcbSwitch = "QT_XCB_GL_INTEGRATION";
// The switches set here, for this program alone: the programs it starts get
// the user's environment without them.
QStringList g_switchesSetHere;
QtMessageHandler g_nextMessageHandler = nullptr;

// Without a client buffer integration Qt warns that it loaded none, which is
// what was asked; every other message goes on.
void QuietAboutNoClientBuffers(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool asked = type == QtWarningMsg && qstrcmp(context.category, "qt.qpa.wayland") == 0
                       && (message.startsWith(QLatin1String("Failed to load client buffer integration"))
                           || message.startsWith(QLatin1String("Available client buffer integrations")));
    if (!asked)
        g_nextMessageHandler(type, context, message);
}

void SetForThisProgram(const char* name)
{
    qputenv(name, "none");
    g_switchesSetHere << QString::fromLatin1(name);
}

// Qt draws a window's frame on Wayland only through a client buffer
// integration; without one the window has none. So it is left out only where
// the frames come from elsewhere: the compositor draws them, or the user has
// turned Qt's off.
bool WaylandFramesNeedNoClientBuffers()
{
    if (qEnvironmentVariableIntValue("QT_WAYLAND_DISABLE_WINDOWDECORATION") != 0)
        return true;
    return fw::CompositorDrawsWindowFrames();
}

void LeaveOpenGlOut()
{
    if (!qEnvironmentVariableIsSet(kXcbSwitch))
        SetForThisProgram(kXcbSwitch);
    if (!qEnvironmentVariableIsSet(kWaylandSwitch) && qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
        && WaylandFramesNeedNoClientBuffers()) {
        SetForThisProgram(kWaylandSwitch);
        if (!g_nextMessageHandler)
            g_nextMessageHandler = qInstallMessageHandler(QuietAboutNoClientBuffers);
    }
}

}  // namespace

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

bool CWinApp::InitInstance() { return true; }

int CWinApp::ExitInstance() { return 0; }

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

CString AfxGetAppName()
{
    if (g_app && !g_app->m_pszAppName.isEmpty())
        return g_app->m_pszAppName;
    if (const char* title = res::FindString(AFX_IDS_APP_TITLE))
        return QString::fromUtf8(title);
    return QFile::decodeName(fw::ProgramPath().filename().c_str()).section('.', 0, 0);
}

int CWinApp::Run(int argc, char** argv)
{
    // Read before Qt's X plugin takes the startup id as it connects.
    const fw::LaunchTokens launchTokens = fw::LaunchTokens::FromEnvironment();
    LeaveOpenGlOut();
    QApplication app(argc, argv);
    AfxInitWindowStyle();
    m_pszAppName = AfxGetAppName();
    QApplication::setApplicationName(m_pszAppName);
    QApplication::setApplicationDisplayName(m_pszAppName);
    // The window's app id on Wayland, which a dock matches to the desktop
    // entry of that name; without it Qt takes the executable's file name.
    if (const char* desktopId = res::FindString(AFX_IDS_DESKTOP_ID))
        QGuiApplication::setDesktopFileName(QString::fromUtf8(desktopId));
    if (const QIcon icon = fw::ResourceIcon(AFX_IDI_APP); !icon.isNull())
        QApplication::setWindowIcon(icon);

    fw::SingleInstance instance(
        fw::DisplayKey(QGuiApplication::platformName().toUtf8(), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")));
    if (instance.RaiseOtherCopy(launchTokens))
        return -1;
    instance.Listen([](const fw::CopyRequestParsed& request) {
        const QByteArray token = QByteArray::fromStdString(request.activationToken);
        const QByteArray startupId = QByteArray::fromStdString(request.startupId);
        fw::Screen* screen = fw::Screen::Existing();
        const bool raised = screen && screen->RaiseWindow(token, startupId) == fw::Screen::Raise::ActivationAsked;
        testhooks::AfterRaiseRequest(token, startupId, raised);
        return raised;
    });

    // The user's language, before the first window; a copy that only raised
    // the first never needed it.
    fw::LoadTranslations(fw::ChooseLanguage(QLocale::system().uiLanguages()));

    int result = 0;
    if (InitInstance()) {
        result = QApplication::exec();
        ExitInstance();
    } else {
        // No message loop ran: the exit routine's result, 0, is the exit code.
        result = ExitInstance();
    }
    // The window goes before the application object it belongs to.
    delete fw::Screen::Existing();
    return result;
}

int AfxWinMain(int argc, char** argv)
{
    CWinApp* app = AfxGetApp();
    return app ? app->Run(argc, argv) : -1;
}

int AfxMessageBox(const CString& text, UINT type)
{
    QMessageBox box(fw::Screen::Existing());
    box.setWindowTitle(AfxGetAppName());
    box.setText(text);
    box.setIcon((type & MB_ICONSTOP)          ? QMessageBox::Critical
                : (type & MB_ICONINFORMATION) ? QMessageBox::Information
                                              : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return IDOK;
}

void ReportException(const CException& e) { AfxMessageBox(e.GetErrorMessage(), MB_OK | MB_ICONSTOP); }

bool StartDetachedProcess(const CString& program, const CStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : g_switchesSetHere)
        environment.remove(name);
    // A launcher's token is good for one activation, ours: one the desktop
    // never took (no activation protocol there) is not the started
    // program's to spend.
    environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    environment.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
    process.setProcessEnvironment(environment);
    return process.startDetached();
}

CString GetUserDecimalSeparator() { return QLocale::system().decimalPoint(); }

CString GetUserThousandsSeparator() { return QLocale::system().groupSeparator(); }

CString LoadResourceString(int id) { return fw::ResourceText(res::kStringContext, res::FindString(id)); }

HICON AfxLoadIcon(int id) { return res::FindImagePath(id) ? id : 0; }
