#pragma once
// Plain data shapes of the program's resources: dialog templates, menus,
// toolbars and the string table. No toolkit types here; the framework turns
// them into windows.

#include <cstdint>
#include <span>

// A text of a table that the user reads: the framework shows it as
// translated in the context given (lupdate reads it as QT_TRANSLATE_NOOP).
// A template's context is its own (DialogTemplate::context).
#define RES_TEXT(context, text) text

namespace res {

// Control and window style flags used by the templates.
enum Style : std::uint32_t {
    WS_TABSTOP = 1u << 0,
    WS_GROUP = 1u << 1,
    WS_BORDER = 1u << 2,
    WS_VSCROLL = 1u << 3,
    WS_HIDDEN = 1u << 4,  // created invisible
    ES_MULTILINE = 1u << 8,
    ES_READONLY = 1u << 9,
    ES_RIGHT = 1u << 10,
    ES_CENTER = 1u << 11,
    ES_AUTOHSCROLL = 1u << 12,
    BS_AUTOCHECKBOX = 1u << 16,
    BS_LEFTTEXT = 1u << 17,
    CBS_DROPDOWNLIST = 1u << 18,
    SS_ICON = 1u << 19,
};

enum class ControlKind { Edit, PushButton, CheckBox, ComboBox, Static };

struct DialogItem {
    int id;
    ControlKind kind;
    const char* text;    // UTF-8; for an icon label, the icon's resource id as text
    short x, y, cx, cy;  // dialog units
    std::uint32_t style;
};

// Strings put into a list control when its dialog is created.
struct DialogInitItem {
    int controlId;
    const char* text;
};

struct DialogTemplate {
    int id;
    const char* caption;  // UTF-8, may be empty
    short cx, cy;         // dialog units
    const char* fontFace;
    int pointSize;
    std::span<const DialogItem> items;  // template order is tab order
    std::span<const DialogInitItem> initData;
    // The context its texts are translated in; none: shown as written.
    const char* context = nullptr;
};

// The contexts the string table's and the menus' texts are translated in.
inline constexpr char kStringContext[] = "Strings";
inline constexpr char kMenuContext[] = "Menu";

struct MenuItem {
    int command;
    const char* text;
};

struct MenuPopup {
    const char* title;  // may hold '&' mnemonics
    std::span<const MenuItem> items;
};

struct Menu {
    int id;
    std::span<const MenuPopup> popups;
};

struct Toolbar {
    int id;
    int bitmapId;
    short imageWidth, imageHeight;
    std::span<const int> commands;  // one button per command, images in bitmap order
};

struct StringEntry {
    int id;
    const char* text;
};

const DialogTemplate* FindDialogTemplate(int id);
std::span<const DialogTemplate* const> AllDialogTemplates();
const Menu* FindMenu(int id);
const Toolbar* FindToolbar(int id);
// nullptr when the table has no such entry.
const char* FindString(int id);
// Path of an image resource in the embedded resource file system, or nullptr.
const char* FindImagePath(int id);

}  // namespace res
