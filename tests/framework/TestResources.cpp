// The resources the framework looks up by id, as the framework tests give
// them: linked into the tests in place of the program's (res/).

#include "tests/framework/TestResources.h"

#include "framework/ResourceTypes.h"

namespace res {
namespace {

using K = ControlKind;

constexpr std::uint32_t kInput = WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_RIGHT;

constexpr DialogItem kFieldAndCheckItems[] = {
    {IDC_STATIC, K::Static, "Field", 11, 20, 30, 8, WS_GROUP},
    {IDC_FIELD, K::Edit, "", 64, 18, 59, 12, kInput},
    {IDC_CHECK, K::CheckBox, "Check", 64, 35, 59, 10, BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP},
};

constexpr DialogItem kFieldsItems[] = {
    {IDC_MULTI, K::Edit, "", 44, 18, 59, 12, kInput},
    {IDC_MULTI2, K::Edit, "", 44, 33, 59, 12, kInput},
    {IDC_MULTI3, K::Edit, "", 44, 49, 59, 12, kInput},
    {IDC_SINGLE, K::Edit, "", 44, 64, 59, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
};

constexpr DialogTemplate kTemplates[] = {
    {IDD_FIELD_AND_CHECK, "", 140, 159, "System", 8, kFieldAndCheckItems, {}},
    {IDD_FIELDS, "Fields", 140, 165, "System", 8, kFieldsItems, {}},
};

constexpr const DialogTemplate* kTemplateList[] = {&kTemplates[0], &kTemplates[1]};

constexpr StringEntry kStrings[] = {
    {AFX_IDS_APP_TITLE, kTestAppTitle},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id)
{
    for (const DialogTemplate& t : kTemplates)
        if (t.id == id)
            return &t;
    return nullptr;
}

std::span<const DialogTemplate* const> AllDialogTemplates() { return kTemplateList; }

const Menu* FindMenu(int) { return nullptr; }

const Toolbar* FindToolbar(int) { return nullptr; }

const char* FindString(int id)
{
    for (const StringEntry& s : kStrings)
        if (s.id == id)
            return s.text;
    return nullptr;
}

const char* FindImagePath(int) { return nullptr; }

}  // namespace res
