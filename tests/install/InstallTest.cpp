// cmake --install of this build tree into a temporary DESTDIR under the
// prefix /usr, as a distribution's package build does it: the tree it lays
// down, the installed program started through its link, and the desktop
// entry and metainfo as their validators and each other see them.

#include "tests/install/Installed.h"

#include "framework/Ids.h"
#include "framework/ResourceTypes.h"

#include <QRegularExpression>

#include <iostream>
#include <map>
#include <memory>

using namespace installed;

namespace {

// The keys of a desktop entry's main group.
std::map<QString, QString> DesktopEntry(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << path.toStdString();
    std::map<QString, QString> keys;
    QString group;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'['))
            group = line;
        else if (group == QLatin1String("[Desktop Entry]") && line.contains(u'='))
            keys[line.section(u'=', 0, 0)] = line.section(u'=', 1);
    }
    return keys;
}

class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_destdir = std::make_unique<QTemporaryDir>();
        const Result install = RunCommand(QStringLiteral(CMAKE_COMMAND),
                                          {QStringLiteral("--install"), QStringLiteral(SONAVOLTA_BUILD_DIR),
                                           QStringLiteral("--prefix"), QStringLiteral("/usr")},
                                          {QStringLiteral("DESTDIR=") + s_destdir->path()});
        s_installed = install.exitCode == 0;
        if (!s_installed)
            std::cerr << install;
    }
    static void TearDownTestSuite() { s_destdir.reset(); }

    void SetUp() override { ASSERT_TRUE(s_installed) << "cmake --install failed"; }

    static QString Prefix() { return s_destdir->path() + QStringLiteral("/usr"); }
    static QString InPrefix(const QString& file) { return Prefix() + u'/' + file; }

    static inline std::unique_ptr<QTemporaryDir> s_destdir;
    static inline bool s_installed = false;
};

TEST_F(Installed, EverythingLiesUnderDestdirAndThePrefix)
{
    // Nothing escapes the prefix (an absolute destination would).
    EXPECT_EQ(QDir(s_destdir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList {"usr"});
    ExpectInstalledTree(Prefix());
}

TEST_F(Installed, TheLinkStartsTheProgramWhichFindsItsTable) { ExpectProgramRuns(Prefix()); }

// The table is read from beside the installed program, not from the build
// tree: take it away there and the Wave calculator cannot open.
TEST_F(Installed, WithoutItsTableTheWaveCalculatorReportsIt)
{
    const QString table = InPrefix(kProgramDir + QStringLiteral("/spn.dat"));
    const QString aside = table + QStringLiteral(".aside");
    ASSERT_TRUE(QFile::rename(table, aside));
    const Result wave = RunProgram(InPrefix(kBin + QStringLiteral("/sonavolta")), QStringLiteral("wave"));
    QFile::rename(aside, table);
    EXPECT_EQ(wave.exitCode, 0) << wave;
    EXPECT_EQ(wave.out, QByteArray("first paint\nan unnamed file was not found.\n")) << wave;
}

// desktop-file-validate prints errors and warnings (and hints, which are
// only suggestions); appstreamcli fails on errors and warnings and also
// lists infos and pedantic notes. The one info it gives, that it does not
// know the top-level domain "example" of our id, is no fault.
TEST_F(Installed, DesktopEntryAndMetainfoPassTheirValidators)
{
    const Result desktop = RunCommand(QStringLiteral("desktop-file-validate"), {InPrefix(kDesktopFile)});
    EXPECT_EQ(desktop.exitCode, 0) << desktop;
    EXPECT_FALSE(desktop.out.contains("error:") || desktop.out.contains("warning:")) << desktop;

    const Result metainfo =
        RunCommand(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                    QStringLiteral("--explain"), InPrefix(kMetainfo)});
    EXPECT_EQ(metainfo.exitCode, 0) << metainfo;
    EXPECT_FALSE(QString::fromUtf8(metainfo.out)
                     .contains(QRegularExpression(QStringLiteral("^[EW]: "), QRegularExpression::MultilineOption)))
        << metainfo;
}

// What no validator checks: the files name each other and the installed
// program and icon correctly.
TEST_F(Installed, DesktopEntryAndMetainfoPointAtWhatIsInstalled)
{
    auto entry = DesktopEntry(InPrefix(kDesktopFile));
    EXPECT_EQ(entry["Name"], QStringLiteral("Sonavolta"));
    const QString exec = entry["Exec"];
    EXPECT_TRUE(QFileInfo(InPrefix(kBin + u'/' + exec)).isExecutable()) << exec.toStdString();
    const QString icon = entry["Icon"];
    EXPECT_TRUE(QFileInfo::exists(InPrefix(kData + QStringLiteral("/icons/hicolor/scalable/apps/") + icon + ".svg")))
        << icon.toStdString();
    // Qt names the window's class after the application, which the program
    // names from its string table; docks group windows under the entry by it.
    EXPECT_EQ(entry["StartupWMClass"], QString::fromUtf8(res::FindString(AFX_IDS_APP_TITLE)));
    // On Wayland docks match the window's app id, the desktop id the program
    // gives, to the entry's file name; the reverse-domain form has two dots
    // at least.
    const QString desktopId = QString::fromUtf8(res::FindString(AFX_IDS_DESKTOP_ID));
    EXPECT_EQ(QFileInfo(kDesktopFile).fileName(), desktopId + QStringLiteral(".desktop"));
    EXPECT_GE(desktopId.count(u'.'), 2) << desktopId.toStdString();

    QFile metainfo(InPrefix(kMetainfo));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(metainfo.readAll());
    const QString id = QFileInfo(kMetainfo).fileName().remove(QStringLiteral(".metainfo.xml"));
    EXPECT_EQ(id, desktopId);
    EXPECT_TRUE(xml.contains(QStringLiteral("<id>%1</id>").arg(id)));
    EXPECT_TRUE(xml.contains(
        QStringLiteral("<launchable type=\"desktop-id\">%1</launchable>").arg(QFileInfo(kDesktopFile).fileName())));
    EXPECT_TRUE(xml.contains(QStringLiteral("<binary>%1</binary>").arg(exec)));
    EXPECT_TRUE(xml.contains(QStringLiteral("<release version=\"%1\"").arg(QStringLiteral(SONAVOLTA_VERSION))));
}

}  // namespace
