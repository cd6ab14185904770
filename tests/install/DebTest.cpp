// The Debian package CPack makes from this build tree: its control fields,
// and the program unpacked into an empty root, run headless from there.

#include "tests/install/Installed.h"

#include <QRegularExpression>

#include <iostream>
#include <memory>

using namespace installed;

namespace {

class Package : public ::testing::Test {
protected:
    // cpack writes the package and its staging tree into a directory of its
    // own, not into the build tree.
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        const Result cpack =
            RunCommand(QStringLiteral(CPACK_COMMAND),
                       {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                        QStringLiteral(SONAVOLTA_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), s_dir->path()},
                       {}, s_dir->path());
        const QStringList debs = QDir(s_dir->path()).entryList({QStringLiteral("*.deb")}, QDir::Files);
        if (cpack.exitCode != 0 || debs.size() != 1)
            std::cerr << cpack;
        else
            s_deb = QDir(s_dir->path()).filePath(debs.front());
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    void SetUp() override { ASSERT_FALSE(s_deb.isEmpty()) << "cpack made no package"; }

    static QString Field(const char* name)
    {
        const Result r =
            RunCommand(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), s_deb, QString::fromLatin1(name)});
        EXPECT_EQ(r.exitCode, 0) << r;
        return QString::fromUtf8(r.out).trimmed();
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline QString s_deb;
};

TEST_F(Package, ControlFields)
{
    const QString arch = QString::fromUtf8(RunCommand(QStringLiteral("dpkg"), {"--print-architecture"}).out).trimmed();
    EXPECT_EQ(Field("Package"), QStringLiteral("sonavolta"));
    EXPECT_EQ(Field("Version"), QStringLiteral(SONAVOLTA_VERSION));
    EXPECT_EQ(Field("Architecture"), arch);
    EXPECT_EQ(Field("Section"), QStringLiteral("sound"));
    EXPECT_FALSE(Field("Maintainer").isEmpty());
    EXPECT_FALSE(Field("Description").isEmpty());
    EXPECT_EQ(QFileInfo(s_deb).fileName(), QStringLiteral("sonavolta_%1_%2.deb").arg(SONAVOLTA_VERSION, arch));
}

// The Qt 6 libraries the program links, the platform plugins Qt loads at
// run time, and the C and C++ runtimes; every one a package Debian has.
TEST_F(Package, DependsOnTheQtRuntimeItNeeds)
{
    const QString depends = Field("Depends");
    std::cout << "Depends: " << depends.toStdString() << '\n';
    QStringList names;
    for (const QString& alternative : depends.split(QRegularExpression(QStringLiteral("\\s*[,|]\\s*"))))
        names << alternative.section(u' ', 0, 0).section(u':', 0, 0);
    for (const char* needed : {"libqt6core6", "libqt6gui6", "libqt6widgets6", "qt6-qpa-plugins", "libc6", "libstdc++6"})
        EXPECT_TRUE(names.contains(QLatin1String(needed))) << needed;
    // The single-copy socket is a plain Unix socket: no network library.
    EXPECT_FALSE(names.contains(QLatin1String("libqt6network6")));
    for (const QString& name : names) {
        const Result known = RunCommand(QStringLiteral("dpkg-query"), {QStringLiteral("-W"), name});
        EXPECT_EQ(known.exitCode, 0) << "no such package here: " << name.toStdString();
    }
}

// What the program runs without, so recommended and not required: the
// Wayland platform plugin, so that a Wayland session gets a Wayland window,
// not one through XWayland; Qt's own translations, for the texts Qt draws
// (a message box's buttons, an entry field's context menu).
TEST_F(Package, RecommendsTheWaylandPluginAndQtsTranslations)
{
    const QString recommends = Field("Recommends");
    QStringList names;
    for (const QString& alternative : recommends.split(QRegularExpression(QStringLiteral("\\s*[,|]\\s*"))))
        names << alternative.section(u' ', 0, 0);
    const QString depends = Field("Depends");
    for (const char* recommended : {"qt6-wayland", "qt6-translations-l10n"}) {
        EXPECT_TRUE(names.contains(QLatin1String(recommended))) << recommends.toStdString();
        EXPECT_FALSE(depends.contains(QLatin1String(recommended))) << recommended;
    }
    for (const QString& name : names) {
        const Result known = RunCommand(QStringLiteral("dpkg-query"), {QStringLiteral("-W"), name});
        EXPECT_EQ(known.exitCode, 0) << "no such package here: " << name.toStdString();
    }
}

TEST_F(Package, UnpackedIntoAnEmptyRootItRuns)
{
    QTemporaryDir root;
    const Result unpack = RunCommand(QStringLiteral("dpkg"), {QStringLiteral("-x"), s_deb, root.path()});
    ASSERT_EQ(unpack.exitCode, 0) << unpack;
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList {"usr"});
    const QString prefix = root.path() + QStringLiteral("/usr");
    ExpectInstalledTree(prefix);
    ExpectProgramRuns(prefix);
}

}  // namespace
