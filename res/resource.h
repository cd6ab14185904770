#pragma once
// Resource and control identifiers shared by the dialogs and their templates.
// The framework's own ids (IDC_STATIC, the program's name and icon) come
// with framework/Ids.h.

#include "framework/Ids.h"

// Dialog templates
constexpr int IDD_CHOOSER = 102;
constexpr int IDD_WAVE = 129;
constexpr int IDD_DELAY = 130;
constexpr int IDD_LEVEL = 134;
constexpr int IDD_ABOUT = 140;

// Icons, bitmaps, menus, toolbars
constexpr int IDR_MAINFRAME = AFX_IDI_APP;  // program icon
constexpr int IDR_HELP_MENU = 139;
constexpr int IDR_HELP_TOOLBAR = 143;
constexpr int IDB_HELP_BUTTON = 143;

// Commands
constexpr int ID_HELP_CONTENTS = 32774;
constexpr int ID_APP_ABOUT = 32776;
constexpr int ID_HELP_TOPIC = 32777;

// String table
constexpr int IDS_LEVEL = 1;
constexpr int IDS_DELAY = 3;
constexpr int IDS_WAVE = 4;
constexpr int IDS_CHOOSE_CALCULATOR = 5;

// Chooser (102)
constexpr int IDC_LEVEL = 1000;
constexpr int IDC_DELAY = 1001;
constexpr int IDC_WAVE = 1002;
constexpr int IDC_PROMPT = 1007;

// Level (134)
constexpr int IDC_DBU = 1004;
constexpr int IDC_DBV = 1005;
constexpr int IDC_VRMS = 1006;
constexpr int IDC_VPP = 1007;
constexpr int IDC_OHMS = 1008;
constexpr int IDC_DBM = 1009;
constexpr int IDC_POWER = 1010;
constexpr int IDC_POWER_UNIT = 1026;
constexpr int IDC_VRMS_UNIT = 1027;
constexpr int IDC_VPP_UNIT = 1028;
constexpr int IDC_EXP = 1029;

// Delay (130)
constexpr int IDC_BPM = 1012;
constexpr int IDC_BAR44 = 1013;
constexpr int IDC_BAR34 = 1014;
constexpr int IDC_HALF = 1015;
constexpr int IDC_QUARTER = 1016;
constexpr int IDC_EIGHTH = 1017;
constexpr int IDC_SIXTEENTH = 1018;
constexpr int IDC_THIRTY_SECOND = 1019;
constexpr int IDC_ROUND = 1030;

// Wave (129)
constexpr int IDC_HALF_PERIOD = 1010;
constexpr int IDC_NOTE = 1011;
constexpr int IDC_FREQUENCY = 1020;
constexpr int IDC_WAVELENGTH_CM = 1021;
constexpr int IDC_WAVELENGTH_FT = 1022;
constexpr int IDC_PERIOD = 1023;
constexpr int IDC_HALF_WAVELENGTH_CM = 1024;
constexpr int IDC_HALF_WAVELENGTH_FT = 1025;
