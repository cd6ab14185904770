#include "framework/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <vector>

namespace fw {

namespace {

// The languages a catalogue may be made for, besides English. Portuguese
// and Chinese come in more than one form; the form shipped is named.
CString ShippedForm(const CString& uiLanguage)
{
    const CStringList parts = CString(uiLanguage).replace('_', '-').split('-');
    const CString language = parts.value(0).toLower();
    if (language == QLatin1String("pt"))
        return QStringLiteral("pt_BR");
    if (language == QLatin1String("zh")) {
        // Traditional characters (Taiwan, Hong Kong, Macao) are another
        // written language: a Simplified catalogue would not serve.
        for (const CString& part : parts.mid(1))
            if (part == QLatin1String("Hant") || part == QLatin1String("TW") || part == QLatin1String("HK")
                || part == QLatin1String("MO"))
                return CString();
        return QStringLiteral("zh_CN");
    }
    return language;
}

struct Loaded {
    CString language;
    std::vector<std::unique_ptr<QTranslator>> translators;
};

Loaded& Current()
{
    static Loaded loaded;
    return loaded;
}

bool Install(Loaded& loaded, const CString& path)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path))
        return false;
    QCoreApplication::installTranslator(translator.get());
    loaded.translators.push_back(std::move(translator));
    return true;
}

}  // namespace

CStringList AvailableLanguages()
{
    CStringList languages;
    for (const CString& name : QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("*_*.qm")}, QDir::Files)) {
        const CString language = name.section(QLatin1Char('_'), 1).chopped(3);
        if (!languages.contains(language))
            languages.append(language);
    }
    languages.sort();
    return languages;
}

CString ChooseLanguage(const CStringList& uiLanguages)
{
    const QDir catalogues(QStringLiteral(":/i18n"));
    for (const CString& wanted : uiLanguages) {
        const CString form = ShippedForm(wanted);
        if (form == QLatin1String("en") || form == QLatin1String("c"))
            return CString();
        if (!form.isEmpty() && !catalogues.entryList({QStringLiteral("*_%1.qm").arg(form)}, QDir::Files).isEmpty())
            return form;
    }
    return CString();
}

void LoadTranslations(const CString& language)
{
    Loaded& loaded = Current();
    for (const auto& translator : loaded.translators)
        QCoreApplication::removeTranslator(translator.get());
    loaded.translators.clear();
    loaded.language.clear();
    if (language.isEmpty())
        return;
    const QDir catalogues(QStringLiteral(":/i18n"));
    bool any = false;
    for (const CString& name : catalogues.entryList({QStringLiteral("*_%1.qm").arg(language)}, QDir::Files))
        any = Install(loaded, catalogues.filePath(name)) || any;
    if (!any)
        return;
    loaded.language = language;
    // Qt's texts: without its catalogue (a package not installed) they stay English.
    Install(loaded, QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_%1.qm").arg(language));
}

CString TranslationLanguage() { return Current().language; }

CString ResourceText(const char* context, const char* text)
{
    if (!text || !*text)
        return CString();
    return context ? QCoreApplication::translate(context, text) : QString::fromUtf8(text);
}

}  // namespace fw

CString Translate(const char* context, const char* sourceText)
{
    return QCoreApplication::translate(context, sourceText);
}
