#include "framework/Layout_p.h"

#include "framework/Screen_p.h"
#include "framework/Translation.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

#include <algorithm>

namespace fw {

QString ItemText(const res::DialogTemplate& t, const res::DialogItem& item)
{
    if (item.kind == res::ControlKind::Static && (item.style & res::SS_ICON))
        return QString::fromUtf8(item.text);  // an icon's resource id
    return ResourceText(t.context, item.text);
}

namespace {

bool SameRow(const QRect& a, const QRect& b) { return a.top() <= b.bottom() && b.top() <= a.bottom(); }

// The width a control's text needs, or 0 for a control that shows none.
int NeededWidth(const res::DialogItem& item, const QString& text, const QFont& font)
{
    const QFontMetrics metrics(font);
    switch (item.kind) {
    case res::ControlKind::Static:
        // The letters end before the control beside the label (the space
        // after the last letter may lie beneath it).
        return (item.style & res::SS_ICON) ? 0 : metrics.boundingRect(text).right() + 1;
    case res::ControlKind::CheckBox: {
        // The box, the gap after it, the letters.
        const QStyle* style = QApplication::style();
        return style->pixelMetric(QStyle::PM_IndicatorWidth) + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing)
               + metrics.horizontalAdvance(text);
    }
    case res::ControlKind::PushButton:  // its text is the dialog's to set
    case res::ControlKind::Edit:
    case res::ControlKind::ComboBox: return 0;
    }
    return 0;
}

}  // namespace

TemplateLayout LayOutTemplate(const res::DialogTemplate& t, const QFont& font)
{
    TemplateLayout layout;
    const QRect area = DialogUnitsToPixels(font, 0, 0, t.cx, t.cy);
    const std::size_t n = t.items.size();
    std::vector<QRect> placed(n);
    int rightmost = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const res::DialogItem& item = t.items[i];
        // A list's template height is that of its open list; the box is one line.
        const int cy = item.kind == res::ControlKind::ComboBox ? 12 : item.cy;
        placed[i] = DialogUnitsToPixels(font, item.x, item.y, item.cx, cy);
        rightmost = std::max(rightmost, placed[i].x() + placed[i].width());
    }
    const int margin = std::max(0, area.width() - rightmost);

    // Left to right: what a text lacks where it stands moves everything
    // from the next control on its row onwards.
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](auto a, auto b) { return placed[a].x() < placed[b].x(); });
    struct Push {
        int from;    // controls at this x or right of it move
        int amount;  // by this much, on top of the pushing control's own move
        std::size_t by;
    };
    std::vector<Push> pushes;
    std::vector<int> shift(n, 0);
    std::vector<QRect> result = placed;
    int needRight = rightmost;
    for (std::size_t i : order) {
        for (const Push& p : pushes)
            if (placed[i].x() >= p.from)
                shift[i] = std::max(shift[i], shift[p.by] + p.amount);
        const res::DialogItem& item = t.items[i];
        QRect r = placed[i].translated(shift[i], 0);
        const int needed = (item.style & res::WS_HIDDEN) ? 0 : NeededWidth(item, ItemText(t, item), font);
        if (needed > 0) {
            int next = -1;
            for (std::size_t j = 0; j < n; ++j)
                if (j != i && placed[j].x() > placed[i].x() && SameRow(placed[i], placed[j])
                    && (next < 0 || placed[j].x() < placed[next].x()))
                    next = int(j);
            const int room = (next >= 0 ? placed[next].x() : rightmost + margin) - placed[i].x();
            if (needed > room && next >= 0)
                pushes.push_back({placed[next].x(), needed - room, i});
            if (item.kind == res::ControlKind::CheckBox && needed > r.width())
                r.setWidth(needed);
            needRight = std::max(needRight, r.x() + std::max(r.width(), needed));
        }
        result[i] = r;
        needRight = std::max(needRight, r.x() + r.width());
    }
    layout.items = std::move(result);
    layout.client = QSize(std::max(area.width(), needRight + margin), area.height());
    return layout;
}

}  // namespace fw
