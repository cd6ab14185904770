// cmake --install of this build tree into a temporary DESTDIR under the
// prefix /usr, as a distribution's package build does it: the tree it lays
// down, the installed program started through its link, and the desktop
// entry and metainfo as their validators and each other see them.

#include "tests/install/Installed.h"

#include "framework/Ids.h"
#include "framework/ResourceTypes.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <iostream>
#include <map>
#include <memory>
#include <set>

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

// The metainfo's texts by element and language ("" for English): each
// summary, and how many description paragraphs and list items there are.
struct MetainfoTexts {
    std::map<QString, QString> summaries;
    std::map<std::pair<QString, QString>, int> descriptionCounts;  // (element, language)
    std::set<QString> languagesListed;

    QString Summary(const QString& language) const
    {
        const auto found = summaries.find(language);
        return found == summaries.end() ? QString() : found->second;
    }
    int DescriptionCount(const QString& element, const QString& language) const
    {
        const auto found = descriptionCounts.find({element, language});
        return found == descriptionCounts.end() ? 0 : found->second;
    }
};

MetainfoTexts ReadMetainfoTexts(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    MetainfoTexts texts;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        const QString language = xml.attributes().value(QStringLiteral("xml:lang")).toString();
        if (name == QLatin1String("summary"))
            texts.summaries[language] = xml.readElementText();
        else if (name == QLatin1String("p") || name == QLatin1String("li"))
            ++texts.descriptionCounts[{name, language}];
        else if (name == QLatin1String("lang"))
            texts.languagesListed.insert(xml.readElementText());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

// The languages the program speaks besides English, as desktop entries and
// AppStream name them, each with the glossary's word for "wavelength": a
// keyword, and in the plural in the entry's comment and the metainfo's
// summary. A text in the wrong language, or English left in, lacks it.
struct Translated {
    const char* language;
    const char* wavelength;
    const char* wavelengths;
};
constexpr Translated kTranslated[] = {
    {"de", "Wellenlänge", "Wellenlängen"},
    {"fr", "longueur d'onde", "longueurs d'onde"},
    {"es", "longitud de onda", "longitudes de onda"},
    {"it", "lunghezza d'onda", "lunghezze d'onda"},
    {"pt_BR", "comprimento de onda", "comprimentos de onda"},
    {"ja", "波長", "波長"},
    {"zh_CN", "波长", "波长"},
};

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

// A desktop in another language shows the entry and the software centre
// the metainfo in it; the name stays Sonavolta.
TEST_F(Installed, DesktopEntryAndMetainfoSpeakEachLanguage)
{
    auto entry = DesktopEntry(InPrefix(kDesktopFile));
    const MetainfoTexts metainfo = ReadMetainfoTexts(InPrefix(kMetainfo));
    EXPECT_EQ(metainfo.Summary(QString()), entry["Comment"]);
    std::set<QString> languages;
    for (const Translated& t : kTranslated) {
        const QString language = QString::fromUtf8(t.language);
        const QString wavelength = QString::fromUtf8(t.wavelength);
        SCOPED_TRACE(t.language);
        languages.insert(language);
        const auto key = [&](const char* name) { return QStringLiteral("%1[%2]").arg(QLatin1String(name), language); };

        EXPECT_FALSE(entry.count(key("Name"))) << "the name is not translated";
        EXPECT_NE(entry[key("GenericName")], entry["GenericName"]);
        EXPECT_FALSE(entry[key("GenericName")].isEmpty());
        EXPECT_TRUE(entry[key("Comment")].contains(QString::fromUtf8(t.wavelengths)))
            << entry[key("Comment")].toStdString();
        EXPECT_TRUE(entry[key("Keywords")].split(u';').contains(wavelength)) << entry[key("Keywords")].toStdString();

        // The summary says what the entry's comment says; the description is
        // whole, every paragraph and list item translated.
        EXPECT_EQ(metainfo.Summary(language), entry[key("Comment")]);
        for (const char* element : {"p", "li"})
            EXPECT_EQ(metainfo.DescriptionCount(QLatin1String(element), language),
                      metainfo.DescriptionCount(QLatin1String(element), QString()))
                << element;
    }
    EXPECT_EQ(metainfo.languagesListed, languages);
}

}  // namespace
