// Every text on every screen stays readable whatever palette the desktop
// hands the program: the default one, a dark one and the two high-contrast
// ones. The screens are rendered and the contrast of each text's pixels
// against the background behind them is measured with the WCAG formula;
// each must reach 4.5:1.

#include "calc/delay/DelayDlg.h"
#include "frame/DialogFrame.h"
#include "res/resource.h"
#include "tests/a11y/Screens.h"
#include "tests/support/Palettes.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QToolButton>

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>

using namespace testing_support;

namespace {

double Luminance(QColor c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double Contrast(QColor a, QColor b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Measure {
    double ratio = 0;
    int inkPixels = 0;  // pixels that stand out from the background at all
};

// The background is the commonest colour of the box; the text is the pixel
// that stands out from it most (the core of a glyph, not its blended edge).
Measure MeasureText(const QImage& img, const QRect& box)
{
    const QRect area = box.intersected(img.rect());
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[img.pixel(x, y)];
    if (counts.empty())
        return {};
    QRgb background = counts.begin()->first;
    for (const auto& [colour, count] : counts)
        if (count > counts[background])
            background = colour;
    Measure m;
    for (const auto& [colour, count] : counts) {
        const double ratio = Contrast(QColor(colour), QColor(background));
        m.ratio = std::max(m.ratio, ratio);
        if (ratio > 1.05)
            m.inkPixels += count;
    }
    return m;
}

// Where a widget's own text lies, inside its frame or bevel.
QRect TextBox(QWidget* w)
{
    if (auto* check = qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(check);
        opt.text = check->text();
        return check->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, check);
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.currentText = combo->currentText();
        return combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, button);
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        // The label's text from its corner, short of the field beside it:
        // a label lies beneath the fields and may reach under one's edge.
        const QFontMetrics metrics(label->font());
        const QRect r = label->contentsRect();
        const int top =
            (label->alignment() & Qt::AlignVCenter) ? r.top() + (r.height() - metrics.height()) / 2 : r.top();
        QRect box = QRect(r.left(), top, metrics.horizontalAdvance(label->text()), metrics.height()).intersected(r);
        for (QWidget* sibling : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect above = sibling->geometry().translated(-label->pos());
            if (sibling->isVisible() && !qobject_cast<QLabel*>(sibling) && above.intersects(box)
                && above.left() > box.left())
                box.setRight(above.left() - 1);
        }
        return box;
    }
    // Fields and tool buttons: inside their frame.
    return w->rect().adjusted(3, 3, -3, -3);
}

QString TextOf(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    return {};
}

const char* PlaceOf(QWidget* w)
{
    if (w->objectName() == QLatin1String("caption"))
        return "navigation caption";
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->isReadOnly() ? "read-only field" : "input field";
    if (qobject_cast<QCheckBox*>(w))
        return "check box";
    if (qobject_cast<QComboBox*>(w))
        return "list";
    if (qobject_cast<QAbstractButton*>(w))
        return "button";
    return "label";
}

// What a user would type first, so the fields show numbers.
void Fill(const Calculator& calculator, CDialog& dlg)
{
    if (const auto* typing = calculator_tests::Expect(calculator, &calculator_tests::Expectations::contrastFill,
                                                      "what a user types first (for the contrast)"))
        ClickAndType(dlg, typing->fieldId, typing->keys);
}

struct Reading {
    std::string place;
    std::string text;
    Measure measure;
};

// Every text the screen shows: its header, the navigation caption, and each
// label, field, list and button with text.
std::vector<Reading> ReadScreen(CDialog& dlg, const QString& headerTitle)
{
    QApplication::processEvents();
    QWidget* window = Window(dlg);
    const QImage img = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const double scale = img.devicePixelRatio();
    auto inImage = [&](QWidget* w, const QRect& r) {
        const QRect inWindow(w->mapTo(window, r.topLeft()), r.size());
        return QRect(std::lround(inWindow.x() * scale), std::lround(inWindow.y() * scale),
                     std::lround(inWindow.width() * scale), std::lround(inWindow.height() * scale));
    };

    std::vector<Reading> readings;
    // The header's title in its bold font, as PaintHeader lays it out.
    QWidget* client = dlg.GetSafeHwnd();
    QFont bold = client->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int height = std::max(kHeaderHeight, metrics.height() + kHeaderTextMargins);
    const QRect title(8, (height - metrics.height()) / 2, metrics.horizontalAdvance(headerTitle), metrics.height());
    readings.push_back({"header", headerTitle.toStdString(), MeasureText(img, inImage(client, title))});

    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || TextOf(w).isEmpty())
            continue;
        if (!qobject_cast<QLabel*>(w) && !qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w)
            && !qobject_cast<QAbstractButton*>(w))
            continue;
        if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        readings.push_back({PlaceOf(w), TextOf(w).toStdString(), MeasureText(img, inImage(w, TextBox(w)))});
    }
    return readings;
}

class PaletteGuard {
public:
    explicit PaletteGuard(const QPalette& palette) { QApplication::setPalette(palette); }
    ~PaletteGuard() { QApplication::setPalette(StartingPalette()); }
};

TEST(Contrast, EveryTextOnEveryScreenUnderEveryPalette)
{
    for (const DesktopPalette& desktop : DesktopPalettes()) {
        SCOPED_TRACE(desktop.name);
        const PaletteGuard guard(desktop.palette);
        for (const a11y::ScreenCase& screen : a11y::Screens()) {
            SCOPED_TRACE(screen.name);
            screen.run([&](CDialog& dlg) {
                if (screen.calculator)
                    Fill(*screen.calculator, dlg);
                const QString title = screen.name == "Chooser" ? QStringLiteral("Choose Calculator")
                                                               : QString::fromStdString(screen.name);
                const std::vector<Reading> readings = ReadScreen(dlg, title);
                // A screen whose texts were not found would pass unread.
                EXPECT_GE(readings.size(), 4u);
                for (const Reading& r : readings) {
                    std::printf("%-20s %-8s %-19s %-28s %6.2f\n", desktop.name, screen.name.c_str(), r.place.c_str(),
                                r.text.c_str(), r.measure.ratio);
                    EXPECT_GE(r.measure.inkPixels, 6) << r.place << " \"" << r.text << "\" shows no text";
                    EXPECT_GE(r.measure.ratio, 4.5) << r.place << " \"" << r.text << "\"";
                }
            });
        }
    }
}

// The desktop switches themes while a calculator is open: the screen
// follows at once, and switching back gives the very same pixels.
TEST(Contrast, FollowsAThemeSwitchWhileAScreenIsOpen)
{
    // A steady text cursor, so two grabs can be compared.
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    const DesktopPalette dark = DesktopPalettes().at(1);
    a11y::RunScreen<CDelayDlg>([&](CDialog& dlg) {
        ClickAndType(dlg, IDC_BPM, QStringLiteral("120"));
        auto grab = [&] {
            QApplication::processEvents();
            return Window(dlg)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        const QImage light = grab();
        {
            const PaletteGuard guard(dark.palette);
            for (const Reading& r : ReadScreen(dlg, QStringLiteral("Delay")))
                EXPECT_GE(r.measure.ratio, 4.5) << r.place << " \"" << r.text << "\"";
            // The input field took the dark theme's colours.
            QWidget* bpm = Widget(dlg, IDC_BPM);
            const QPoint inside = bpm->mapTo(Window(dlg), QPoint(4, bpm->height() / 2));
            EXPECT_EQ(grab().pixelColor(inside), dark.palette.color(QPalette::Base));
        }
        EXPECT_TRUE(grab() == light);
    });
    QGuiApplication::styleHints()->setCursorFlashTime(flashTime);
}

}  // namespace
