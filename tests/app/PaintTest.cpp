// What the screens paint: the header (bold dark-blue title from x = 8 over a
// black rule on y = 24 across the whole width), the light-blue colours, and
// the chooser's rings. Pixels that matter are checked, not whole images.

#include "app/AboutDlg.h"
#include "frame/DialogFrame.h"
#include "res/resource.h"
#include "tests/support/Shell.h"

#include <QLabel>
#include <cmath>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const QColor kLightBlue(186, 218, 255);
const QColor kRingFill(119, 184, 255);
const QColor kHeaderBlue(0, 0, 156);

QImage Grab(QWidget* w)
{
    QApplication::processEvents();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool Near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

double Share(const QImage& img, QColor color)
{
    int hits = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            hits += img.pixelColor(x, y) == color;
    return double(hits) / (img.width() * img.height());
}

using Body = std::function<void(CDialog&)>;

struct ScreenCase {
    const char* what;
    std::function<void(const Body&)> run;
    bool lightBlue;  // framed screens; the About box keeps the default colours
};

void RunDelayScreen(const Body& body)
{
    CCalcDialog delay(IDD_DELAY, IDS_DELAY, "delay");
    RunModal(delay, [&] { body(delay); });
}

const ScreenCase kScreens[] = {
    {"chooser", [](const Body& body) { RunChooser(body); }, true},
    {"a calculator", RunDelayScreen, true},
    {"About box",
     [](const Body& body) {
         CAboutDlg about;
         RunModal(about, [&] { body(about); });
     },
     false},
};

TEST(Painting, HeaderAndBackground)
{
    for (const ScreenCase& s : kScreens) {
        SCOPED_TRACE(s.what);
        s.run([&](CDialog& dlg) {
            QWidget* client = dlg.GetSafeHwnd();
            const QImage img = Grab(client);
            const int w = img.width(), h = img.height();

            // The rule: black on y = 24 from x = 0 to the last column.
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(img.pixelColor(x, 24), QColor(Qt::black)) << "x = " << x;

            // The background, away from the controls and the chooser's rings.
            const QPoint samples[] = {{1, 25}, {1, 30}, {w - 2, 30}, {1, h - 2}, {w - 2, h - 2}};
            const QColor background = img.pixelColor(1, 25);
            for (QPoint p : samples) {
                SCOPED_TRACE(p.x());
                SCOPED_TRACE(p.y());
                ASSERT_EQ(client->childAt(p), nullptr);
                EXPECT_EQ(img.pixelColor(p), background);
            }
            EXPECT_EQ(background == kLightBlue, s.lightBlue);

            // Nothing of the title left of x = 8 ...
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 8; ++x)
                    ASSERT_EQ(img.pixelColor(x, y), background) << x << "," << y;
            // ... and its dark-blue letters right of it.
            bool blueText = false;
            for (int y = 0; y < 24 && !blueText; ++y)
                for (int x = 8; x < w && !blueText; ++x)
                    blueText = Near(img.pixelColor(x, y), kHeaderBlue, 16);
            EXPECT_TRUE(blueText);
        });
    }
}

TEST(Painting, LabelsAndResultsAreLightBlueInputFieldsAreNot)
{
    RunDelayScreen([](CDialog& dlg) {
        QLabel* label = nullptr;
        for (auto* l : dlg.GetSafeHwnd()->findChildren<QLabel*>())
            if (l->text() == QLatin1String("BPM"))
                label = l;
        ASSERT_NE(label, nullptr);
        struct {
            const char* what;
            QWidget* widget;
            bool lightBlue;
        } const cases[] = {
            {"label", label, true},
            {"read-only result field", Widget(dlg, IDC_BAR44), true},
            {"input field", Widget(dlg, IDC_BPM), false},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            const double share = Share(Grab(c.widget), kLightBlue);
            if (c.lightBlue)
                EXPECT_GT(share, 0.5);
            else
                EXPECT_LT(share, 0.05);
        }
    });
}

// Out from the rings' centre, d pixels: four rings (outer edge dark blue,
// then ring fill) with light-blue gaps between them and a light-blue centre.
enum class Ring { Edge, Fill, Gap };

Ring ExpectedAt(int d)
{
    for (int k = 0; k < 4; ++k) {
        const int edge = 117 - 30 * k;
        if (d == edge)
            return Ring::Edge;
        if (d < edge && d >= edge - 9)
            return Ring::Fill;
    }
    return Ring::Gap;
}

QColor ColourOf(Ring ring) { return ring == Ring::Edge ? kHeaderBlue : ring == Ring::Fill ? kRingFill : kLightBlue; }

TEST(Painting, ChooserRings)
{
    RunChooser([](CDialog& chooser) {
        // The picture alone: the buttons paint over it.
        QWidget* client = chooser.GetSafeHwnd();
        QImage img(client->size(), QImage::Format_RGB32);
        client->render(&img, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        // The centre: half the client size, 12 pixels low. It lies on the
        // corner between four pixels, so d pixels out means column cx + d
        // or cx - 1 - d, row cy + d or cy - 1 - d.
        const int cx = img.width() / 2;
        const int cy = img.height() / 2 + 12;
        ASSERT_GT(cx, 120);

        for (int d = 0; d <= 120; ++d) {
            SCOPED_TRACE(d);
            const Ring ring = ExpectedAt(d);
            // Plain one-pixel outlines: no pixel is a blend of two colours.
            for (QPoint p : {QPoint(cx + d, cy), QPoint(cx - 1 - d, cy), QPoint(cx, cy + d), QPoint(cx, cy - 1 - d)}) {
                const QColor c = img.pixelColor(p);
                EXPECT_EQ(c, ColourOf(ring)) << "at " << p.x() << "," << p.y() << ": " << c.name().toStdString();
            }
        }
    });
}

}  // namespace
