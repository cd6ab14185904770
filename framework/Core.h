#pragma once
// Basic types and message codes shared by the whole framework and its users.
// Text is UTF-16 throughout, as QString holds it.

#include <QString>
#include <QStringList>
#include <cstdint>

using CString = QString;
using CStringList = QStringList;
using UINT = unsigned int;
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b)
{
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF c) { return int(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return int((c >> 16) & 0xFF); }

// End codes of a modal run.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Messages routed through the message maps.
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_CTLCOLOR = 0x0019;
// A control notification offered back to the control that sent it.
constexpr UINT WM_REFLECT_COMMAND = 0xBD11;

// Notification codes carried by WM_COMMAND.
constexpr UINT BN_CLICKED = 0;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;

// Kinds of control-colour request.
constexpr UINT CTLCOLOR_MSGBOX = 0;
constexpr UINT CTLCOLOR_EDIT = 1;
constexpr UINT CTLCOLOR_LISTBOX = 2;
constexpr UINT CTLCOLOR_BTN = 3;
constexpr UINT CTLCOLOR_DLG = 4;
constexpr UINT CTLCOLOR_SCROLLBAR = 5;
constexpr UINT CTLCOLOR_STATIC = 6;

// Virtual keys seen by PreTranslateMessage.
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_DELETE = 0x2E;

struct MSG {
    UINT message = 0;
    UINT wParam = 0;  // the virtual key for WM_KEYDOWN, the character for WM_CHAR
};
