#pragma once
// Per-class routing tables. Each class that handles messages declares a
// table of (message, notification code, control or command id, handler)
// entries that chains to its base class's table. Entries hold typed
// pointers to member functions: a handler of the wrong shape does not compile.

#include "framework/Core.h"

#include <span>
#include <variant>

class CCmdTarget;
class CWnd;
class CDC;
class CBrush;

// The shapes a handler can have.
using AFX_PMSG = void (CCmdTarget::*)();
using AFX_PMSG_CTLCOLOR = CBrush* (CCmdTarget::*)(CDC*, CWnd*, UINT);
using AFX_PMSG_CHAR = void (CCmdTarget::*)(UINT, UINT, UINT);
using Handler = std::variant<std::monostate, AFX_PMSG, AFX_PMSG_CTLCOLOR, AFX_PMSG_CHAR>;

struct MessageEntry {
    UINT message = 0;
    UINT code = 0;
    int id = 0;
    Handler handler;  // empty in the entry that ends a table
};

struct MessageMap {
    const MessageMap* (*base)();
    std::span<const MessageEntry> entries;
};

// Typed entry builders: the cast only widens a handler of a derived class
// to a handler of the common base, keeping its shape.
template <class T>
MessageEntry MapEntry(UINT message, UINT code, int id, void (T::*fn)())
{
    return {message, code, id, static_cast<AFX_PMSG>(fn)};
}
template <class T>
MessageEntry MapEntry(UINT message, UINT code, int id, CBrush* (T::*fn)(CDC*, CWnd*, UINT))
{
    return {message, code, id, static_cast<AFX_PMSG_CTLCOLOR>(fn)};
}
template <class T>
MessageEntry MapEntry(UINT message, UINT code, int id, void (T::*fn)(UINT, UINT, UINT))
{
    return {message, code, id, static_cast<AFX_PMSG_CHAR>(fn)};
}

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Sends a message with no arguments (paint, command, notification) to the
    // first matching handler of this object's table chain; false if none.
    bool OnCmdMsg(UINT message, UINT code, int id);
    // Control-colour request: the handler's brush, or nullptr for the defaults.
    // handled tells whether a table entry was found.
    CBrush* DispatchCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor, bool* handled = nullptr);
    // Typed character; false if no handler took it.
    bool DispatchChar(UINT nChar, UINT repeat, UINT flags);

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

protected:
    template <class Pfn>
    Pfn FindHandler(UINT message, UINT code, int id) const;
};

#define DECLARE_MESSAGE_MAP()                         \
public:                                               \
    static const MessageMap* GetThisMessageMap();     \
    const MessageMap* GetMessageMap() const override; \
                                                      \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MessageMap* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        using ThisClass [[maybe_unused]] = theClass;                                  \
        using TheBaseClass = baseClass;                                               \
        static const MessageEntry entries[] = {

#define END_MESSAGE_MAP()                                                    \
    MessageEntry {}                                                          \
    }                                                                        \
    ;                                                                        \
    static const MessageMap map {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                             \
    }

// Entries, one per line of a table.
#define ON_WM_PAINT() MapEntry<ThisClass>(WM_PAINT, 0, 0, &ThisClass::OnPaint),
#define ON_WM_CTLCOLOR() MapEntry<ThisClass>(WM_CTLCOLOR, 0, 0, &ThisClass::OnCtlColor),
#define ON_WM_CHAR() MapEntry<ThisClass>(WM_CHAR, 0, 0, &ThisClass::OnChar),
#define ON_WM_CLOSE() MapEntry<ThisClass>(WM_CLOSE, 0, 0, &ThisClass::OnClose),
#define ON_COMMAND(id, fn) MapEntry<ThisClass>(WM_COMMAND, 0, id, &ThisClass::fn),
#define ON_BN_CLICKED(id, fn) MapEntry<ThisClass>(WM_COMMAND, BN_CLICKED, id, &ThisClass::fn),
#define ON_CBN_SELCHANGE(id, fn) MapEntry<ThisClass>(WM_COMMAND, CBN_SELCHANGE, id, &ThisClass::fn),
#define ON_EN_CHANGE(id, fn) MapEntry<ThisClass>(WM_COMMAND, EN_CHANGE, id, &ThisClass::fn),
#define ON_EN_SETFOCUS(id, fn) MapEntry<ThisClass>(WM_COMMAND, EN_SETFOCUS, id, &ThisClass::fn),
#define ON_EN_KILLFOCUS(id, fn) MapEntry<ThisClass>(WM_COMMAND, EN_KILLFOCUS, id, &ThisClass::fn),
// A notification the control handles itself, before its dialog sees it.
#define ON_CONTROL_REFLECT(code, fn) MapEntry<ThisClass>(WM_REFLECT_COMMAND, code, 0, &ThisClass::fn),
