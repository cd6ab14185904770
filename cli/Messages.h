#pragma once
// What sonavolta-calc tells people, in their language: gettext's catalogue
// "sonavolta-calc", found beside the program (../share/locale from its
// folder, as installed and as built). JSON and CSV keys, numbers, unit
// symbols and note names are never translated.

#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text to translate where it is defined; Tr() translates it where
// it is shown.
#define N_(text) text
// Marks a text that reads differently in some languages depending on what it
// names (a note's name in Wave, a note's value in Delay): gettext's context,
// joined to the text by the EOT character, as gettext itself keeps it.
#define C_(context, text) context "\004" text

namespace cli {

// Binds the catalogue, once the locale is set. A terminal that is not UTF-8
// gets English, which it shows whole.
void SetUpMessages(bool utf8);

// The text in the user's language, or as written (without its context).
const char* Tr(const char* text);

// The pattern, translated, with %1, %2, ... replaced by the arguments, so a
// translation may put them in its own order.
std::string Fill(const char* pattern, std::initializer_list<std::string_view> arguments);

}  // namespace cli
