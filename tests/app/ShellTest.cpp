// The shell in process: the chooser as the start-up hook runs it, its Help
// menu, the About box over it, and the help viewer started on the help page.

#include "tests/support/Shell.h"
#include "app/Calculators.h"
#include "frame/DialogFrame.h"
#include "frame/Help.h"
#include "framework/Translation.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tests/support/CalculatorTests.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/Waiting.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QToolButton* HelpMenuButton(CDialog& dlg)
{
    for (auto* b : Window(dlg)->findChildren<QToolButton*>())
        if (b->isVisible() && b->menu())  // the Help menu, in any language
            return b;
    return nullptr;
}

// Opens the Help menu by mouse and picks an item; what the item opens runs
// inside this call, so anything to do in there must be scheduled first.
void PickHelpMenuItem(CDialog& chooser, const QString& item)
{
    QToolButton* help = HelpMenuButton(chooser);
    ASSERT_NE(help, nullptr);
    WhenMenuOpens([item](QMenu& menu) {
        for (QAction* action : menu.actions()) {
            if (action->text() == item) {
                QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, menu.actionGeometry(action).center());
                return;
            }
        }
        ADD_FAILURE() << "no menu item " << item.toStdString();
        menu.close();
    });
    QTest::mouseClick(help, Qt::LeftButton);
}

// A button per calculator, with the calculator's name, where the template
// puts it.
TEST(Chooser, ButtonsReadDelayWaveLevelFromTheTop)
{
    RunChooser([](CDialog& chooser) {
        std::vector<QWidget*> buttons;
        for (const Calculator& c : Calculators()) {
            QWidget* button = Widget(chooser, c.buttonId);
            ASSERT_NE(button, nullptr) << c.name;
            EXPECT_EQ(CWnd::FromHandle(button)->GetWindowText(), QString::fromUtf8(c.name));
            buttons.push_back(button);
        }
        std::sort(buttons.begin(), buttons.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
        QStringList texts;
        for (QWidget* b : buttons) {
            EXPECT_TRUE(b->isVisible());
            texts << CWnd::FromHandle(b)->GetWindowText();
        }
        EXPECT_EQ(texts.mid(0, 3), (QStringList {"Delay", "Wave", "Level"}));

        // The prompt label is filled by data exchange but never shown.
        EXPECT_TRUE(Widget(chooser, IDC_PROMPT)->isHidden());
        EXPECT_EQ(Text(chooser, IDC_PROMPT), QStringLiteral("Choose Calculator..."));
    });
}

TEST(Chooser, OkEndsItsRunAndWithItTheStartUpHook)
{
    bool endedByOk = false;
    const bool loop = RunChooser([&](CDialog& chooser) {
        QTest::mouseClick(OkButton(chooser), Qt::LeftButton);
        endedByOk = !chooser.IsRunning();
    });
    EXPECT_TRUE(endedByOk);
    EXPECT_FALSE(loop);  // no message loop follows: the program ends
}

TEST(Chooser, HelpMenuHoldsAboutAndContents)
{
    RunChooser([](CDialog& chooser) {
        QToolButton* help = HelpMenuButton(chooser);
        ASSERT_NE(help, nullptr);
        QStringList items;
        for (QAction* a : help->menu()->actions())
            items << a->text();
        EXPECT_EQ(items, (QStringList {"About...", "Contents"}));
    });
}

TEST(Chooser, AboutRunsOverTheChooserWhichIsDisabledMeanwhile)
{
    RunChooser([](CDialog& chooser) {
        bool aboutOnTop = false;
        bool chooserEnabledDuring = true;
        int visibleToolButtons = -1;
        WhenDialogOpens(IDD_ABOUT, [&](CDialog& about) {
            aboutOnTop = true;
            chooserEnabledDuring = chooser.GetSafeHwnd()->isEnabled();
            // No help button and no Help menu of its own.
            visibleToolButtons = 0;
            for (auto* b : Window(about)->findChildren<QToolButton*>())
                visibleToolButtons += b->isVisible();
            QTest::mouseClick(OkButton(about), Qt::LeftButton);
        });
        PickHelpMenuItem(chooser, QStringLiteral("About..."));

        EXPECT_TRUE(aboutOnTop);
        EXPECT_FALSE(chooserEnabledDuring);
        EXPECT_EQ(visibleToolButtons, 0);
        EXPECT_EQ(CDialog::GetActiveDialog(), &chooser);
        EXPECT_TRUE(chooser.GetSafeHwnd()->isEnabled());
    });
}

// A stand-in for the desktop's viewer, first on PATH, that writes down each
// command line it is started with, one line per start.
class ViewerStub {
public:
    ViewerStub() : m_oldPath(qgetenv("PATH"))
    {
        const QString script = m_dir.filePath(QStringLiteral("xdg-open"));
        QFile f(script);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done >> \"$0.calls\"\necho >> \"$0.calls\"\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_calls = script + QStringLiteral(".calls");
        qputenv("PATH", QFile::encodeName(m_dir.path()) + ':' + m_oldPath);
    }
    ~ViewerStub() { qputenv("PATH", m_oldPath); }

    // The recorded starts, once there are at least count of them.
    QStringList Calls(int count)
    {
        QStringList lines;
        for (int waited = 0; waited < 5000; waited += 20) {
            QFile f(m_calls);
            if (f.open(QIODevice::ReadOnly))
                lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
            if (lines.size() >= count)
                break;
            QTest::qWait(20);
        }
        return lines;
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
    QString m_calls;
};

// A page beside the running executable, as the viewer must be given it.
QString PageUrl(const QString& name)
{
    const QString page = QCoreApplication::applicationDirPath() + u'/' + name;
    EXPECT_TRUE(QFileInfo::exists(page)) << page.toStdString();
    return QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded);
}

QString HelpPageUrl() { return PageUrl(QStringLiteral("sonavolta.html")); }

QString ReadPage(const QString& name)
{
    QFile f(QCoreApplication::applicationDirPath() + u'/' + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(f.readAll());
}

TEST(Help, ContentsOpensTheHelpPage)
{
    ViewerStub viewer;
    RunChooser([](CDialog& chooser) { PickHelpMenuItem(chooser, QStringLiteral("Contents")); });
    EXPECT_EQ(viewer.Calls(1), QStringList {"[" + HelpPageUrl() + "]"});
    EXPECT_TRUE(HelpPageUrl().startsWith(QStringLiteral("file:///")));
}

// The viewer is given a page of the section's own, with no section mark in
// the address (the desktop's generic opener drops it); the page sends the
// browser on to the section of the help page.
TEST(Help, ACalculatorsHelpButtonOpensItsSectionEachTime)
{
    ViewerStub viewer;
    CCalcDialog delay(IDD_DELAY, IDS_DELAY, "delay");
    RunModal(delay, [&] {
        QToolButton* help = nullptr;
        for (auto* b : Window(delay)->findChildren<QToolButton*>())
            if (b->isVisible() && b->accessibleName() == QLatin1String("Help"))
                help = b;
        ASSERT_NE(help, nullptr);
        QTest::mouseClick(help, Qt::LeftButton);
        QTest::mouseClick(help, Qt::LeftButton);
    });
    const QString expected = "[" + PageUrl(QStringLiteral("sonavolta-delay.html")) + "]";
    EXPECT_EQ(viewer.Calls(2), (QStringList {expected, expected}));
}

// Each calculator of the list: its own help button opens its own page,
// which lies beside the program.
TEST(Help, EachCalculatorsHelpButtonOpensItsOwnPage)
{
    ViewerStub viewer;
    QStringList expected;
    for (const Calculator& c : Calculators()) {
        SCOPED_TRACE(c.name);
        expected << "[" + PageUrl(QStringLiteral("sonavolta-%1.html").arg(QLatin1String(c.helpAnchor))) + "]";
        const std::unique_ptr<CDialog> dlg = c.make();
        RunModal(*dlg, [&] {
            QApplication::processEvents();  // the help button shows from the event loop
            QToolButton* help = nullptr;
            for (auto* b : Window(*dlg)->findChildren<QToolButton*>())
                if (b->isVisible() && b->accessibleName() == QLatin1String("Help"))
                    help = b;
            ASSERT_NE(help, nullptr);
            QTest::mouseClick(help, Qt::LeftButton);
        });
    }
    // The viewers run apart from the program and may finish in any order.
    QStringList calls = viewer.Calls(int(expected.size()));
    calls.sort();
    expected.sort();
    EXPECT_EQ(calls, expected);
}

TEST(Help, EachSectionPageLeadsOnToItsSection)
{
    const QString helpPage = ReadPage(QStringLiteral("sonavolta.html"));
    for (const Calculator& c : Calculators()) {
        const char* anchor = c.helpAnchor;
        SCOPED_TRACE(anchor);
        const QString page = ReadPage(QStringLiteral("sonavolta-%1.html").arg(QLatin1String(anchor)));
        EXPECT_TRUE(page.contains(
            QStringLiteral("<meta http-equiv=\"refresh\" content=\"0; url=sonavolta.html#%1\">").arg(anchor)));
        EXPECT_TRUE(helpPage.contains(QStringLiteral("id=\"%1\"").arg(anchor)));
    }
}

// The ids of a page's elements, in order: its sections and their parts.
QStringList Ids(const QString& page)
{
    QStringList ids;
    static const QRegularExpression id(QStringLiteral("id=\"([^\"]+)\""));
    for (auto it = id.globalMatch(page); it.hasNext();)
        ids << it.next().captured(1);
    return ids;
}

// The languages whose help page lies beside the program (a language may
// have none yet: its users get the English page).
CStringList LanguagesWithHelp()
{
    CStringList languages;
    for (const CString& language : fw::AvailableLanguages())
        if (QFileInfo::exists(QCoreApplication::applicationDirPath()
                              + QStringLiteral("/sonavolta_%1.html").arg(language)))
            languages << language;
    return languages;
}

// Each language's help page beside the program is marked with its language
// and has the English page's sections; a calculator's page for each leads
// on to its section.
TEST(Help, EachLanguagesPageHasEverySection)
{
    const QString english = ReadPage(QStringLiteral("sonavolta.html"));
    const QStringList englishIds = Ids(english);
    ASSERT_TRUE(englishIds.contains("level"));
    // Every page takes its look from the one stylesheet beside them.
    const QString styleLink = QStringLiteral("<link rel=\"stylesheet\" href=\"sonavolta.css\">");
    EXPECT_TRUE(english.contains(styleLink));
    EXPECT_TRUE(ReadPage(QStringLiteral("sonavolta.css")).contains(QStringLiteral("nav.toc")));
    const CStringList languages = LanguagesWithHelp();
    ASSERT_EQ(languages.size(), 7);
    for (const CString& language : languages) {
        SCOPED_TRACE(language.toStdString());
        const QString name = QStringLiteral("sonavolta_%1.html").arg(language);
        const QString page = ReadPage(name);
        EXPECT_TRUE(page.contains(QStringLiteral("<html lang=\"%1\">").arg(QString(language).replace('_', '-'))));
        EXPECT_EQ(Ids(page), englishIds);
        EXPECT_TRUE(page.contains(styleLink));
        for (const Calculator& c : Calculators())
            EXPECT_TRUE(ReadPage(QStringLiteral("sonavolta-%1_%2.html").arg(QLatin1String(c.helpAnchor), language))
                            .contains(QStringLiteral("url=%1#%2\"").arg(name, QLatin1String(c.helpAnchor))));
    }
}

// In each language, Help > Contents (as the menu reads in it) and a
// calculator's help button open that language's pages, or the English
// ones where it has none.
TEST(Help, EachLanguageOpensItsOwnPages)
{
    for (const CString& language : fw::AvailableLanguages()) {
        SCOPED_TRACE(language.toStdString());
        fw::LoadTranslations(language);
        ViewerStub viewer;
        RunChooser([](CDialog& chooser) { PickHelpMenuItem(chooser, Translate("Menu", "Contents")); });
        CCalcDialog wave(IDD_WAVE, IDS_WAVE, "wave");
        RunModal(wave, [&] {
            QApplication::processEvents();
            QToolButton* help = nullptr;
            for (auto* b : Window(wave)->findChildren<QToolButton*>())
                if (b->isVisible() && b->accessibleName() == LoadResourceString(ID_HELP_TOPIC))
                    help = b;
            ASSERT_NE(help, nullptr);
            QTest::mouseClick(help, Qt::LeftButton);
        });
        const QString suffix = LanguagesWithHelp().contains(language) ? u'_' + language : QString();
        QStringList calls = viewer.Calls(2);
        calls.sort();
        EXPECT_EQ(calls, (QStringList {"[" + PageUrl(QStringLiteral("sonavolta-wave%1.html").arg(suffix)) + "]",
                                       "[" + PageUrl(QStringLiteral("sonavolta%1.html").arg(suffix)) + "]"}));
    }
    fw::LoadTranslations(CString());
}

// A language without a help page of its own gets the English one.
TEST(Help, ALanguageWithoutAPageGetsTheEnglishOne)
{
    EXPECT_EQ(HelpPagePath(QStringLiteral("eo")), HelpPagePath(CString()));
    EXPECT_EQ(HelpTopicPagePath(QStringLiteral("level"), QStringLiteral("eo")),
              HelpTopicPagePath(QStringLiteral("level"), CString()));
    EXPECT_EQ(HelpPagePath(CString()).filename(), "sonavolta.html");
}

// Every entry of the list makes the dialog of its own template, and is
// named as its strings read.
TEST(Calculators, EachMakesTheDialogOfItsTemplate)
{
    for (const Calculator& c : Calculators()) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CDialog> dlg = c.make();
        EXPECT_EQ(dlg->GetTemplateId(), c.templateId);
        // The header's title, and the chooser button's text, are its name.
        EXPECT_EQ(LoadResourceString(c.titleId), QString::fromUtf8(c.name));
        EXPECT_EQ(LoadResourceString(c.buttonTextId), QString::fromUtf8(c.name));
    }
}

// A calculator whose folder registered no expectations, or not every piece,
// fails the shared suites with its name and the piece, never a bare lookup
// error.
const Calculator kUnregistered {"Unregistered", "unregistered", 0, 0, 0, 0, 0, nullptr};
const Calculator kHalfRegistered {"HalfRegistered", "halfregistered", 0, 0, 0, 0, 0, nullptr};

TEST(Calculators, AMissingTestExpectationNamesTheCalculatorAndThePiece)
{
    calculator_tests::Register("HalfRegistered", {});
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(calculator_tests::ExpectationsOf(kUnregistered), nullptr),
                            "calculator Unregistered has no test expectations registered (tests/unregistered/");
    EXPECT_NONFATAL_FAILURE(
        EXPECT_EQ(calculator_tests::Expect(kHalfRegistered, &calculator_tests::Expectations::tabChain, "its tab chain"),
                  nullptr),
        "calculator HalfRegistered: its test expectations lack its tab chain (tests/halfregistered/");
}

}  // namespace
