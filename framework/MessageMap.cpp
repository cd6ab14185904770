#include "framework/MessageMap.h"

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMap map {nullptr, {}};
    return &map;
}

template <class Pfn>
Pfn CCmdTarget::FindHandler(UINT message, UINT code, int id) const
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageEntry& e : map->entries) {
            if (e.message != message || e.code != code || e.id != id)
                continue;
            if (const Pfn* pfn = std::get_if<Pfn>(&e.handler))
                return *pfn;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT message, UINT code, int id)
{
    const AFX_PMSG pfn = FindHandler<AFX_PMSG>(message, code, id);
    if (!pfn)
        return false;
    (this->*pfn)();
    return true;
}

CBrush* CCmdTarget::DispatchCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor, bool* handled)
{
    const AFX_PMSG_CTLCOLOR pfn = FindHandler<AFX_PMSG_CTLCOLOR>(WM_CTLCOLOR, 0, 0);
    if (handled)
        *handled = pfn != nullptr;
    return pfn ? (this->*pfn)(dc, wnd, ctlColor) : nullptr;
}

bool CCmdTarget::DispatchChar(UINT nChar, UINT repeat, UINT flags)
{
    const AFX_PMSG_CHAR pfn = FindHandler<AFX_PMSG_CHAR>(WM_CHAR, 0, 0);
    if (!pfn)
        return false;
    (this->*pfn)(nChar, repeat, flags);
    return true;
}
