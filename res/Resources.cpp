// Menus, toolbars, images and the string table.

#include "framework/ResourceTypes.h"
#include "res/Version.h"
#include "res/resource.h"

namespace res {
namespace {

constexpr MenuItem kHelpItems[] = {
    {ID_APP_ABOUT, RES_TEXT("Menu", "About...")},
    {ID_HELP_CONTENTS, RES_TEXT("Menu", "Contents")},
};
constexpr MenuPopup kHelpPopups[] = {{RES_TEXT("Menu", "&Help"), kHelpItems}};
constexpr Menu kMenus[] = {{IDR_HELP_MENU, kHelpPopups}};

constexpr int kHelpButtons[] = {ID_HELP_TOPIC};
constexpr Toolbar kToolbars[] = {{IDR_HELP_TOOLBAR, IDB_HELP_BUTTON, 16, 15, kHelpButtons}};

constexpr StringEntry kStrings[] = {
    {AFX_IDS_APP_TITLE, "Sonavolta"},  // the program's name, as message boxes show it
    {AFX_IDS_DESKTOP_ID, SONAVOLTA_APP_ID},
    {IDS_LEVEL, RES_TEXT("Strings", "Level")},
    {IDS_DELAY, RES_TEXT("Strings", "Delay")},
    {IDS_WAVE, RES_TEXT("Strings", "Wave")},
    {IDS_CHOOSE_CALCULATOR, RES_TEXT("Strings", "Choose Calculator...")},
    // A command's string is its command bar button's tooltip.
    {ID_HELP_TOPIC, RES_TEXT("Strings", "Help")},
};

struct ImageEntry {
    int id;
    const char* path;
};
// Icons and bitmaps live in two id spaces; icon 128 and bitmap 143 don't clash.
constexpr ImageEntry kImages[] = {
    {IDR_MAINFRAME, ":/res/icons/hicolor/32x32/sonavolta.png"},
    {IDB_HELP_BUTTON, ":/res/bitmaps/help143.xpm"},
};

}  // namespace

const Menu* FindMenu(int id)
{
    for (const Menu& m : kMenus)
        if (m.id == id)
            return &m;
    return nullptr;
}

const Toolbar* FindToolbar(int id)
{
    for (const Toolbar& t : kToolbars)
        if (t.id == id)
            return &t;
    return nullptr;
}

const char* FindString(int id)
{
    for (const StringEntry& s : kStrings)
        if (s.id == id)
            return s.text;
    return nullptr;
}

const char* FindImagePath(int id)
{
    for (const ImageEntry& i : kImages)
        if (i.id == id)
            return i.path;
    return nullptr;
}

}  // namespace res
