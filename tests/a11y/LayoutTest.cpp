// Every screen keeps its layout with a large desktop font and on a screen
// of twice the pixel density: labels, buttons and filled-in fields show
// their text whole, no control reaches past the dialog or over another, the
// header's title is not cut and its rule spans the width, and the chooser's
// rings stay centred.
//
// ctest runs it at the default font, with SONAVOLTA_TEST_FONT_PT (the
// application font's size in points, set before any screen is built) and
// with QT_SCALE_FACTOR=2.

#include "framework/Translation.h"
#include "res/resource.h"
#include "tests/a11y/Screens.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>

#include <cmath>
#include <gtest/gtest.h>
#include <iostream>

using namespace testing_support;

namespace {

class DesktopFont : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (const int points = qEnvironmentVariableIntValue("SONAVOLTA_TEST_FONT_PT"); points > 0) {
            QFont font = QApplication::font();
            font.setPointSize(points);
            QApplication::setFont(font);
        }
    }
};
[[maybe_unused]] const auto* const g_font = ::testing::AddGlobalTestEnvironment(new DesktopFont);

std::string Describe(const QWidget* w)
{
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(w))
        text = label->text();
    else if (auto* button = qobject_cast<const QAbstractButton*>(w))
        text = button->text();
    else
        text = w->accessibleName();
    return w->metaObject()->className() + std::string(" \"") + text.toStdString() + '"';
}

// What a user would type first, so the fields hold numbers of their usual
// length; the chooser and the About box have nothing to fill.
void Fill(const a11y::ScreenCase& screen, CDialog& dlg)
{
    if (!screen.calculator)
        return;
    if (const auto* typing = calculator_tests::Expect(*screen.calculator, &calculator_tests::Expectations::layoutFill,
                                                      "what a user types first (for the layout)"))
        ClickAndType(dlg, typing->fieldId, typing->keys);
    QApplication::processEvents();
}

// Every shown text fits its control. Not checked: the navigation bar's
// caption, which is cut where the bar has no room for it (a long caption
// must not widen the screen); the window title carries it whole.
void ExpectTextsWhole(QWidget* window)
{
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->objectName() == QLatin1String("caption"))
            continue;
        SCOPED_TRACE(Describe(w));
        const QFontMetrics metrics = w->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
            EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width());
            EXPECT_LE(metrics.height(), label->contentsRect().height());
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            // The frame and the inner margins take about three pixels a side.
            EXPECT_LE(metrics.horizontalAdvance(edit->text()), edit->width() - 6);
            EXPECT_LE(metrics.height(), edit->height() - 2);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            EXPECT_GE(combo->width(), combo->sizeHint().width());
            EXPECT_GE(combo->height(), metrics.height());
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            QStyleOptionButton option;
            option.initFrom(check);
            option.text = check->text();
            const QRect text = check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
            EXPECT_LE(metrics.horizontalAdvance(check->text()), text.width());
            EXPECT_GE(check->height(), metrics.height());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty()) {
            EXPECT_GE(button->width(), metrics.horizontalAdvance(button->text()) + 8);
            EXPECT_GE(button->height(), metrics.height());
        }
    }
}

bool Ink(QColor c) { return c.red() + c.green() < 300; }

// The dialog's controls lie inside its area and none covers another, but for
// a label's margin beneath a field: the letters end before it.
void ExpectControlsApart(QWidget* client)
{
    std::vector<QWidget*> controls;
    for (QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            controls.push_back(w);
    ASSERT_FALSE(controls.empty());
    for (QWidget* w : controls) {
        EXPECT_TRUE(client->rect().contains(w->geometry())) << Describe(w);
        for (QWidget* other : controls) {
            const QRect overlap = w->geometry().intersected(other->geometry());
            if (w == other || overlap.isEmpty())
                continue;
            auto* label = qobject_cast<QLabel*>(w);
            if (!label && qobject_cast<QLabel*>(other))
                continue;  // looked at the other way round
            ASSERT_TRUE(label && !qobject_cast<QLabel*>(other)) << Describe(w) << " and " << Describe(other);
            EXPECT_EQ(client->childAt(overlap.center()), other) << Describe(other) << " beneath " << Describe(w);
            const QImage letters = label->grab().toImage();
            int inkRight = -1;
            for (int x = 0; x < letters.width(); ++x)
                for (int y = 0; y < letters.height(); ++y)
                    if (Ink(letters.pixelColor(x, y)))
                        inkRight = x;
            EXPECT_LT(label->x() + inkRight / letters.devicePixelRatio(), other->x())
                << Describe(w) << " runs under " << Describe(other);
        }
    }
}

// The rule: the first row black all across. The title's letters lie between
// the top and the rule and end before the right edge, touching none of them
// (a cut title would).
void ExpectHeader(QWidget* client)
{
    const QImage img = client->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int w = img.width();
    int rule = -1;
    for (int y = 0; y < img.height() / 2 && rule < 0; ++y) {
        bool black = true;
        for (int x = 0; x < w && black; ++x)
            black = img.pixelColor(x, y) == QColor(Qt::black);
        if (black)
            rule = y;
    }
    ASSERT_GE(rule, 0) << "no rule across the whole width";
    QFont bold = client->font();
    bold.setBold(true);
    const double ratio = img.devicePixelRatio();
    EXPECT_GE(rule / ratio, QFontMetrics(bold).height()) << "the header is lower than its title";
    auto hasInk = [&](int y) {
        for (int x = 0; x < w; ++x)
            if (Ink(img.pixelColor(x, y)))
                return true;
        return false;
    };
    bool inkAtRight = false;
    for (int y = 1; y < rule - 1; ++y)
        inkAtRight = inkAtRight || Ink(img.pixelColor(w - 1, y));
    EXPECT_FALSE(inkAtRight) << "title cut at the right";
    EXPECT_FALSE(hasInk(0)) << "title cut at the top";
    EXPECT_FALSE(hasInk(rule - 1)) << "title cut at the rule";
    int inkRows = 0;
    for (int y = 1; y < rule - 1; ++y)
        inkRows += hasInk(y);
    EXPECT_GT(inkRows, 0) << "no title";
}

// The picture alone, without the buttons: around the centre (half the
// client size, 12 pixels low) the outer ring's fill 112 pixels out and the
// gap inside it 100 pixels out, in every direction.
void ExpectRingsCentred(QWidget* client)
{
    const qreal ratio = client->devicePixelRatioF();
    QImage img(client->size() * ratio, QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    client->render(&img, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const QPointF centre(client->width() / 2, client->height() / 2 + 12);
    for (int degrees = 0; degrees < 360; degrees += 45) {
        SCOPED_TRACE(degrees);
        const double a = qDegreesToRadians(double(degrees));
        const QPointF direction(std::cos(a), std::sin(a));
        EXPECT_EQ(img.pixelColor(((centre + 112 * direction) * ratio).toPoint()), QColor(119, 184, 255));
        EXPECT_EQ(img.pixelColor(((centre + 100 * direction) * ratio).toPoint()), QColor(186, 218, 255));
    }
}

// In English and in every language the program has a catalogue for, the
// pseudo-language's long texts among them.
TEST(Layout, EveryScreenKeepsItsLayout)
{
    std::cout << "font: " << QApplication::font().pointSize() << " pt, scale "
              << qgetenv("QT_SCALE_FACTOR").toStdString() << '\n';
    const CStringList languages = CStringList {CString()} + fw::AvailableLanguages();
    ASSERT_TRUE(languages.contains("pseudo"));
    for (const CString& language : languages) {
        SCOPED_TRACE(language.isEmpty() ? "English" : language.toStdString());
        fw::LoadTranslations(language);
        for (const auto& screen : a11y::Screens()) {
            SCOPED_TRACE(screen.name);
            screen.run([&](CDialog& dlg) {
                Fill(screen, dlg);
                QWidget* client = dlg.GetSafeHwnd();
                ExpectTextsWhole(Window(dlg));
                ExpectControlsApart(client);
                ExpectHeader(client);
                if (dlg.GetTemplateId() == IDD_CHOOSER)
                    ExpectRingsCentred(client);
            });
        }
    }
    fw::LoadTranslations(CString());
}

}  // namespace
