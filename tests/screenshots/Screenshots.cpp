// Renders every screen of the program headless into PNG files, so anyone can
// see what a user sees: screenshots [output directory].
//
// SONAVOLTA_SCREENSHOT_FONT_PT=<points> sets the application font's size
// before any screen is built, as a large desktop font would; with
// QT_SCALE_FACTOR=2 the tool shows a screen of twice the pixel density.
// After the screens under the platform's own palette, the same screens under
// a dark and the two high-contrast desktop palettes go into sub-directories
// named after them (dark/, high-contrast-dark/, high-contrast-light/); then
// the screens in each language the program speaks, under the platform's
// palette, into a sub-directory named after the language (de/, ja/, ...).

#include "app/AboutDlg.h"
#include "app/Calculators.h"
#include "app/ChooserDlg.h"
#include "framework/Translation.h"
#include "framework/WinApp.h"
#include "tests/screenshots/Screens.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Palettes.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

using namespace testing_support;

namespace {

QString g_outputDir;

void RenderAll();

void Save(CDialog& dlg, const QString& name)
{
    QApplication::processEvents();
    QWidget* window = Window(dlg);
    const QString path = g_outputDir + QLatin1Char('/') + name + QStringLiteral(".png");
    window->grab().save(path);
    QTextStream(stdout) << path << '\n';
}

}  // namespace

void SaveScreen(CDialog& dlg, const QString& name) { Save(dlg, name); }

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    AfxInitWindowStyle();
    if (const int points = qEnvironmentVariableIntValue("SONAVOLTA_SCREENSHOT_FONT_PT"); points > 0) {
        QFont font = QApplication::font();
        font.setPointSize(points);
        QApplication::setFont(font);
    }
    const QString outputDir =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath() + QStringLiteral("/screenshots");

    const std::vector<DesktopPalette> palettes = DesktopPalettes();
    for (const DesktopPalette& desktop : palettes) {
        // The first is the platform's own palette: its screens go on top.
        const bool platformOwn = &desktop == &palettes.front();
        g_outputDir = platformOwn ? outputDir : outputDir + QLatin1Char('/') + QString::fromLatin1(desktop.name);
        QDir().mkpath(g_outputDir);
        QApplication::setPalette(desktop.palette);

        RenderAll();
    }
    QApplication::setPalette(palettes.front().palette);
    for (const CString& language : fw::AvailableLanguages()) {
        fw::LoadTranslations(language);
        g_outputDir = outputDir + QLatin1Char('/') + language;
        QDir().mkpath(g_outputDir);
        RenderAll();
    }
    fw::LoadTranslations(CString());
    return 0;
}

namespace {

void RenderAll()
{
    CChooserDlg chooser;
    RunModal(chooser, [&] { Save(chooser, QStringLiteral("chooser")); });

    CAboutDlg about;
    RunModal(about, [&] { Save(about, QStringLiteral("about")); });

    RenderCalculators();
}

}  // namespace
