// The dialog templates: positions and sizes in dialog units, controls in
// template order, which is also the tab order.

#include "framework/ResourceTypes.h"
#include "res/Version.h"
#include "res/resource.h"

#include <array>
#include <iterator>

namespace res {
namespace {

using K = ControlKind;

constexpr std::uint32_t kLabel = WS_GROUP;
constexpr std::uint32_t kResult = WS_BORDER | ES_READONLY | ES_MULTILINE | ES_RIGHT;

// --- 102: the chooser. The button texts are replaced from the string table
// when it opens, so on screen they read Delay, Wave, Level from the top.
constexpr DialogItem kChooserItems[] = {
    {IDC_LEVEL, K::PushButton, "dB To Voltage", 28, 102, 79, 21, WS_TABSTOP},
    {IDC_DELAY, K::PushButton, "BPM To Delaytime", 28, 36, 79, 21, WS_TABSTOP},
    {IDC_WAVE, K::PushButton, "Frequency To Wavelength", 28, 69, 79, 21, WS_TABSTOP},
    {IDC_PROMPT, K::Static, "Static", 30, 13, 82, 11, WS_GROUP | WS_TABSTOP | WS_HIDDEN},
};

// --- 130: Delay.
constexpr DialogItem kDelayItems[] = {
    {IDC_STATIC, K::Static, "BPM", 11, 20, 14, 8, kLabel},
    {IDC_BPM, K::Edit, "", 64, 18, 59, 12, WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_RIGHT},
    {IDC_STATIC, K::Static, RES_TEXT("Delay", "4/4 Bar"), 11, 50, 29, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Delay", "3/4 Bar"), 11, 64, 24, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Delay", "1/4 Note"), 11, 92, 29, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Delay", "1/16 Note"), 11, 120, 33, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Delay", "1/32 Note"), 11, 134, 33, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Delay", "1/8 Note"), 11, 106, 29, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Delay", "1/2 Note"), 11, 78, 29, 8, kLabel},
    {IDC_BAR44, K::Edit, "", 64, 48, 59, 12, kResult},
    {IDC_BAR34, K::Edit, "", 64, 62, 59, 12, kResult},
    {IDC_HALF, K::Edit, "", 64, 76, 59, 12, kResult},
    {IDC_QUARTER, K::Edit, "", 64, 90, 59, 12, kResult | ES_AUTOHSCROLL},
    {IDC_EIGHTH, K::Edit, "", 64, 104, 59, 12, kResult},
    {IDC_SIXTEENTH, K::Edit, "", 64, 118, 59, 12, kResult},
    {IDC_THIRTY_SECOND, K::Edit, "", 64, 132, 59, 12, kResult},
    {IDC_STATIC, K::Static, RES_TEXT("Delay", "Delays In ms"), 11, 36, 42, 8, kLabel},
    {IDC_ROUND, K::CheckBox, RES_TEXT("Delay", "Round Values"), 64, 35, 59, 10,
     BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP},
};

// --- 134: Level.
constexpr DialogItem kLevelItems[] = {
    {IDC_DBU, K::Edit, "", 44, 18, 59, 12, WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_RIGHT},
    {IDC_DBV, K::Edit, "", 44, 33, 59, 12, WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_RIGHT},
    {IDC_DBM, K::Edit, "", 44, 49, 59, 12, WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_RIGHT},
    {IDC_POWER, K::Edit, "", 44, 64, 59, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {IDC_POWER_UNIT, K::ComboBox, "", 106, 64, 26, 47, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {IDC_OHMS, K::Edit, "", 44, 79, 24, 12, WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_RIGHT},
    {IDC_EXP, K::CheckBox, "EXP", 104, 80, 28, 10, BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP},
    {IDC_VRMS, K::Edit, "", 51, 95, 52, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {IDC_VRMS_UNIT, K::ComboBox, "", 106, 95, 26, 44, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {IDC_VPP, K::Edit, "", 51, 110, 52, 12, WS_BORDER | ES_READONLY | ES_AUTOHSCROLL},
    {IDC_VPP_UNIT, K::ComboBox, "", 106, 110, 26, 44, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {IDC_STATIC, K::Static, RES_TEXT("Level", "dBu (±200)"), 2, 20, 42, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Level", "dBV (±200)"), 2, 35, 40, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Level", "Voltage (RMS)"), 2, 97, 48, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Level", "Voltage (p-p)"), 2, 112, 49, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Level", "dBm (±200)"), 2, 51, 41, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Level", "at"), 2, 81, 10, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Level", "Ohms"), 72, 81, 19, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("Level", "Power"), 2, 66, 21, 8, kLabel},
};

constexpr DialogInitItem kLevelInit[] = {
    {IDC_POWER_UNIT, "nW"}, {IDC_POWER_UNIT, "\u00b5W"}, {IDC_POWER_UNIT, "mW"}, {IDC_POWER_UNIT, "W"},
    {IDC_POWER_UNIT, "kW"}, {IDC_POWER_UNIT, "MW"},      {IDC_POWER_UNIT, "GW"}, {IDC_VRMS_UNIT, "mV"},
    {IDC_VRMS_UNIT, "V"},   {IDC_VRMS_UNIT, "kV"},       {IDC_VRMS_UNIT, "MV"},  {IDC_VPP_UNIT, "mV"},
    {IDC_VPP_UNIT, "V"},    {IDC_VPP_UNIT, "kV"},        {IDC_VPP_UNIT, "MV"},
};

// --- 129: Wave.
constexpr DialogItem kWaveItems[] = {
    {IDC_FREQUENCY, K::Edit, "", 85, 18, 49, 12, WS_BORDER | WS_TABSTOP | ES_RIGHT | ES_MULTILINE},
    {IDC_NOTE, K::Edit, "", 85, 34, 49, 12, WS_BORDER | WS_TABSTOP | ES_CENTER | ES_MULTILINE},
    {IDC_STATIC, K::Static, RES_TEXT("Wave", "Frequency (Hz)"), 4, 20, 50, 8, 0},
    {IDC_STATIC, K::Static, RES_TEXT("Wave", "Note (C0, C#0, ..., B9)"), 4, 36, 76, 8, 0},
    {IDC_STATIC, K::Static, RES_TEXT("Wave", "Period (ms)"), 4, 84, 52, 8, 0},
    {IDC_STATIC, K::Static, RES_TEXT("Wave", "Wavelength (cm)"), 4, 52, 56, 8, 0},
    {IDC_STATIC, K::Static, RES_TEXT("Wave", "Wavelength (ft)"), 4, 68, 52, 8, 0},
    {IDC_STATIC, K::Static, RES_TEXT("Wave", "Period/2 (ms)"), 4, 132, 44, 8, 0},
    {IDC_STATIC, K::Static, RES_TEXT("Wave", "Wavelength/2 (cm)"), 4, 100, 62, 8, 0},
    {IDC_STATIC, K::Static, RES_TEXT("Wave", "Wavelength/2 (ft)"), 4, 116, 59, 8, 0},
    {IDC_PERIOD, K::Edit, "", 85, 82, 49, 12, kResult},
    {IDC_WAVELENGTH_FT, K::Edit, "", 85, 66, 49, 12, kResult},
    {IDC_WAVELENGTH_CM, K::Edit, "", 85, 50, 49, 12, kResult | ES_AUTOHSCROLL},
    {IDC_HALF_WAVELENGTH_CM, K::Edit, "", 85, 98, 49, 12, kResult},
    {IDC_HALF_WAVELENGTH_FT, K::Edit, "", 85, 114, 49, 12, kResult},
    {IDC_HALF_PERIOD, K::Edit, "", 85, 130, 49, 12, kResult},
};

// --- 140: About.
constexpr DialogItem kAboutItems[] = {
    {IDC_STATIC, K::Static, "feedback@sonavolta.example", 12, 79, 104, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("About", "Levels, delays"), 12, 36, 43, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("About", "and waves for audio work"), 12, 46, 77, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("About", "\u00a9 2026 the Sonavolta team"), 12, 56, 78, 8, kLabel},
    {IDC_STATIC, K::Static, "Sonavolta " SONAVOLTA_VERSION_TEXT, 12, 25, 45, 8, kLabel},
    {IDC_STATIC, K::Static, RES_TEXT("About", "All rights reserved."), 12, 68, 63, 8, kLabel},
    {IDC_STATIC, K::Static, "128", 110, 25, 20, 20, SS_ICON},
};

constexpr DialogTemplate kTemplates[] = {
    {IDD_CHOOSER, "Sonavolta", 140, 165, "System", 8, kChooserItems, {}, "Chooser"},
    {IDD_WAVE, RES_TEXT("Wave", "Frequency to Wavelength"), 140, 165, "System", 8, kWaveItems, {}, "Wave"},
    {IDD_DELAY, "", 140, 159, "System", 8, kDelayItems, {}, "Delay"},
    {IDD_LEVEL, RES_TEXT("Level", "Level"), 140, 165, "System", 8, kLevelItems, kLevelInit, "Level"},
    {IDD_ABOUT, "", 140, 167, "System", 8, kAboutItems, {}, "About"},
};

// Every template, in the order above.
constexpr auto kTemplateList = [] {
    std::array<const DialogTemplate*, std::size(kTemplates)> list {};
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i] = &kTemplates[i];
    return list;
}();

}  // namespace

const DialogTemplate* FindDialogTemplate(int id)
{
    for (const DialogTemplate& t : kTemplates)
        if (t.id == id)
            return &t;
    return nullptr;
}

std::span<const DialogTemplate* const> AllDialogTemplates() { return kTemplateList; }

}  // namespace res
