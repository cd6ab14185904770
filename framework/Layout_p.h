#pragma once
// Framework-internal: where a template's controls stand, in pixels.

#include "framework/ResourceTypes.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

namespace fw {

struct TemplateLayout {
    std::vector<QRect> items;  // in template order
    QSize client;              // the area they need
};

// A template item's text as the user reads it: translated in the
// template's context.
QString ItemText(const res::DialogTemplate& t, const res::DialogItem& item);

// The controls where the dialog units put them, unless a text would not
// fit there (a longer translation, a larger font): a label or a check box
// then pushes the controls right of it on to the right, as a column, by
// what it lacks, and the area grows by as much. Texts that fit leave every
// control where its dialog units put it.
TemplateLayout LayOutTemplate(const res::DialogTemplate& t, const QFont& font);

}  // namespace fw
