#pragma once
// The ids the framework itself gives a meaning to, as dialog frameworks name
// their own: where the framework looks for something of the program's (its
// name, its icon), it looks under these ids, and a program's resources use
// them. The program's own ids (its dialogs, controls, commands and strings)
// are its own business and stay out of the framework.

// A control the dialog never asks for by id: a label.
constexpr int IDC_STATIC = -1;

// String table: the program's name, as window titles and message boxes show it.
constexpr int AFX_IDS_APP_TITLE = 57344;

// String table: the program's id on the desktop, the name of its desktop
// entry without ".desktop"; Wayland takes it as the window's app id.
constexpr int AFX_IDS_DESKTOP_ID = 57345;

// Icon: the program's icon, on its window.
constexpr int AFX_IDI_APP = 128;

// Window id of a command bar created without one.
constexpr int AFX_IDW_COMMAND_BAR = 59392;
