#pragma once
// The program in the user's language: its own catalogues and Qt's, chosen
// from the desktop's languages before the first window is made. English
// is the source language and loads nothing.

#include "framework/Core.h"

namespace fw {

// The first of the user's languages (most wanted first, as
// QLocale::uiLanguages() gives them: "de-DE", "pt-BR", "zh-Hans-CN") that
// the program has a catalogue for, as the catalogue names it ("de",
// "pt_BR", "zh_CN"); empty when English comes first or none is known.
CString ChooseLanguage(const CStringList& uiLanguages);

// The languages the program has catalogues for, sorted.
CStringList AvailableLanguages();

// Loads the program's catalogues for a language (every ":/i18n/*_<language>.qm")
// and Qt's own (its widgets' menus, the message boxes' buttons), in place
// of any loaded before; empty for English: unloads them all.
void LoadTranslations(const CString& language);

// The language loaded, empty for English.
CString TranslationLanguage();

// A resource's text (UTF-8) as the user reads it: translated in its
// context, or as written when it has none.
CString ResourceText(const char* context, const char* text);

}  // namespace fw

// A text the user reads, in the language loaded: sourceText (UTF-8) as
// translated in its context. lupdate reads it as Qt's translate(); a text
// kept in a table is marked with RES_TEXT (framework/ResourceTypes.h).
CString Translate(const char* context, const char* sourceText);
