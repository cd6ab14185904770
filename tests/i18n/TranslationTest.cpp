// The program in each language: which language it chooses from the
// desktop's, every screen's texts translated, Qt's own texts (the fields'
// right-click menu, the message box) in the same language, and the real
// program speaking it when the desktop asks.

#include "framework/Translation.h"
#include "framework/File.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tests/a11y/Screens.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>
#include <set>

using namespace testing_support;

namespace {

const CStringList kShipped = {"de", "es", "fr", "it", "ja", "pt_BR", "zh_CN"};

struct Language {
    explicit Language(const CString& language) { fw::LoadTranslations(language); }
    ~Language() { fw::LoadTranslations(CString()); }
};

TEST(Translation, EverySevenLanguagesAndThePseudoLanguageHaveACatalogue)
{
    CStringList expected = CStringList(kShipped) << "pseudo";
    expected.sort();
    EXPECT_EQ(fw::AvailableLanguages(), expected);
    for (const CString& language : kShipped) {
        const Language loaded(language);
        EXPECT_EQ(fw::TranslationLanguage(), language);
    }
    EXPECT_EQ(fw::TranslationLanguage(), CString());
}

TEST(Translation, TheFirstOfTheDesktopsLanguagesThatIsShippedWins)
{
    const struct {
        CStringList uiLanguages;
        const char* chosen;
    } cases[] = {
        {{"de-DE", "de", "en-US"}, "de"},
        {{"en-US", "en", "de"}, ""},  // English first: nothing loaded
        {{"fr-CA"}, "fr"},
        {{"es-419", "es"}, "es"},
        {{"pt-PT"}, "pt_BR"},
        {{"pt-BR"}, "pt_BR"},
        {{"zh-Hans-CN", "zh-CN"}, "zh_CN"},
        {{"zh-Hant-TW", "ja-JP"}, "ja"},  // Traditional Chinese is not shipped
        {{"zh-HK", "it"}, "it"},
        {{"ru-RU", "nl"}, ""},
        {{"C"}, ""},
        {{}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::ChooseLanguage(c.uiLanguages), QString::fromUtf8(c.chosen))
            << c.uiLanguages.join(' ').toStdString();
}

// What a screen shows and says, in a fixed order: labels, buttons, the
// menus' items, tooltips, the names a screen reader speaks, the title.
QStringList Texts(QWidget* window)
{
    QStringList texts {window->windowTitle()};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(w); label && label->isVisible())
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isVisible())
            texts << button->text();
        if (auto* tool = qobject_cast<QToolButton*>(w); tool && tool->menu())
            for (const QAction* action : tool->menu()->actions())
                texts << action->text();
        texts << w->toolTip() << w->accessibleName() << w->accessibleDescription();
    }
    return texts;
}

// The painted header: the title's pixels.
QImage Header(QWidget* client) { return client->grab(QRect(0, 0, client->width(), 20)).toImage(); }

// Texts no language translates: the program's name and version, its
// address, unit symbols and the abbreviations studios use as they are.
bool NeverTranslated(const QString& text)
{
    static const std::set<QString> kept = {"", "Sonavolta", "BPM", "EXP", "feedback@sonavolta.example"};
    return kept.count(text) > 0 || text.startsWith("Sonavolta ");
}

// Texts a language writes as English does.
const std::map<QString, std::set<QString>> kSameAsEnglish = {
    {"de", {"Delay", "OK", "dBu (±200)", "dBV (±200)", "dBm (±200)", "Note (C0, C#0, ..., B9)"}},
    {"fr", {"OK", "dBu (±200)", "dBV (±200)", "dBm (±200)", "Note (C0, C#0, ..., B9)"}},
    {"es", {"OK", "dBu (±200)", "dBV (±200)", "dBm (±200)"}},
    {"it", {"Delay", "OK", "dBu (±200)", "dBV (±200)", "dBm (±200)"}},
    {"pt_BR", {"Delay", "OK", "dBu (±200)", "dBV (±200)", "dBm (±200)"}},
    {"ja", {"OK", "dBu (±200)", "dBV (±200)", "dBm (±200)"}},
    {"zh_CN", {"OK", "dBu (±200)", "dBV (±200)", "dBm (±200)"}},
    {"pseudo", {}},
};

TEST(Translation, EveryScreenShowsEveryTextInEachLanguage)
{
    for (const auto& screen : a11y::Screens()) {
        SCOPED_TRACE(screen.name);
        QStringList english;
        QImage englishHeader;
        screen.run([&](CDialog& dlg) {
            english = Texts(Window(dlg));
            englishHeader = Header(dlg.GetSafeHwnd());
        });
        for (const auto& entry : kSameAsEnglish) {
            const QString& language = entry.first;
            const std::set<QString>& same = entry.second;
            SCOPED_TRACE(language.toStdString());
            const Language loaded(language);
            screen.run([&](CDialog& dlg) {
                const QStringList translated = Texts(Window(dlg));
                ASSERT_EQ(translated.size(), english.size());
                for (int i = 0; i < english.size(); ++i) {
                    if (!NeverTranslated(english[i]) && !same.count(english[i]))
                        EXPECT_NE(translated[i], english[i]);
                }
                EXPECT_NE(Header(dlg.GetSafeHwnd()), englishHeader) << "the header's title";
            });
        }
    }
}

// The menu a right click opens on an entry field: its items' texts.
QStringList FieldMenu(QLineEdit* field)
{
    QContextMenuEvent click(QContextMenuEvent::Mouse, field->rect().center(),
                            field->mapToGlobal(field->rect().center()));
    QApplication::sendEvent(field, &click);
    QApplication::processEvents();
    QStringList items;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                items << action->text();
        menu->close();
    }
    return items;
}

TEST(Translation, QtsOwnTextsSpeakTheLanguage)
{
    const Calculator& level = *FindCalculatorByButton(IDC_LEVEL);
    auto menuOf = [&] {
        QStringList items;
        const std::unique_ptr<CDialog> dlg = level.make();
        a11y::RunDialog(*dlg, [&](CDialog& d) { items = FieldMenu(Edit(d, IDC_DBU)); });
        return items;
    };
    const QStringList english = menuOf();
    ASSERT_GE(english.size(), 6) << english.join('|').toStdString();
    ASSERT_TRUE(english.contains("&Undo\tCtrl+Z")) << english.join('|').toStdString();
    for (const CString& language : kShipped) {
        SCOPED_TRACE(language.toStdString());
        const Language loaded(language);
        const QStringList translated = menuOf();
        ASSERT_EQ(translated.size(), english.size());
        for (int i = 0; i < english.size(); ++i)
            EXPECT_NE(translated[i], english[i]);
    }
}

TEST(Translation, TheFileErrorBoxSpeaksTheLanguage)
{
    auto report = [] {
        QString text;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        ReportException(CFileException(CFileException::accessDenied, "spn.dat"));
        return text;
    };
    const QString english = report();
    EXPECT_EQ(english, "spn.dat could not be read: access was denied.");
    for (const CString& language : kShipped) {
        SCOPED_TRACE(language.toStdString());
        const Language loaded(language);
        const QString translated = report();
        EXPECT_NE(translated, english);
        EXPECT_TRUE(translated.contains("spn.dat")) << translated.toStdString();
    }
}

// The program itself, started as the desktop starts it: the pitch table it
// cannot find is reported in the language the environment asks for.
TEST(Translation, TheProgramSpeaksTheDesktopsLanguage)
{
    const struct {
        QStringList environment;
        const char* expected;
    } cases[] = {
        {{"LANG=C", "LC_ALL=", "LANGUAGE="}, "an unnamed file was not found."},
        {{"LANG=en_US.UTF-8", "LC_ALL=", "LANGUAGE="}, "an unnamed file was not found."},
        {{"LANG=en_US.UTF-8", "LC_ALL=", "LANGUAGE=de:en"}, nullptr},
        {{"LANG=fr_FR.UTF-8", "LC_ALL=", "LANGUAGE="}, nullptr},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString program = folder.filePath("sonavolta");
    ASSERT_TRUE(QFile::copy(SONAVOLTA_PROGRAM, program));
    QString english;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.environment.join(' ').toStdString());
        QTemporaryDir runtime;
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& setting : c.environment)
            env.insert(setting.section('=', 0, 0), setting.section('=', 1));
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("SONAVOLTA_EXIT_AFTER_FIRST_PAINT", "wave");
        process.setProcessEnvironment(env);
        process.start(program, {});
        ASSERT_TRUE(process.waitForFinished(30000));
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << lines.join('|').toStdString();
        EXPECT_EQ(lines[0], "first paint");
        if (c.expected)
            EXPECT_EQ(lines[1], c.expected);
        else
            EXPECT_NE(lines[1], "an unnamed file was not found.") << "still English";
    }
}

}  // namespace
