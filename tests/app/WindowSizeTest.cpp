// The window given another size than its own, as a desktop gives it one
// (maximized, full screen, a larger size): the window takes that size, the
// page keeps its own, whole and unchanged in the middle, and the window
// comes back to its own size after.

#include "tests/support/Shell.h"

#include <QScreen>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QImage Grab(QWidget* w)
{
    QApplication::processEvents();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A maximized window's frame fills the work area; otherwise the window
// itself has the size.
bool Sized(QWidget* window, QSize size, bool withFrame = false)
{
    return QTest::qWaitFor([&] { return (withFrame ? window->frameGeometry().size() : window->size()) == size; }, 2000);
}

TEST(WindowSize, AGivenSizeIsTakenAndThePageStaysWholeInTheMiddle)
{
    RunChooser([](CDialog& chooser) {
        QWidget* window = Window(chooser);
        ASSERT_NE(window, nullptr);
        QWidget* page = chooser.GetSafeHwnd()->parentWidget();
        ASSERT_NE(page, nullptr);
        const QSize ownSize = window->size();
        const QSize pageSize = page->size();
        const QImage pagePixels = Grab(page);
        const QRect desktop = window->screen()->geometry();
        const QRect workArea = window->screen()->availableGeometry();
        ASSERT_TRUE(desktop.width() > ownSize.width() && desktop.height() > ownSize.height());

        const struct {
            const char* what;
            std::function<void()> give, restore;
            QSize size;
            bool withFrame;
        } cases[] = {
            {"a larger size", [&] { window->resize(ownSize + QSize(100, 60)); }, [&] { window->resize(ownSize); },
             ownSize + QSize(100, 60), false},
            {"maximized", [&] { window->showMaximized(); }, [&] { window->showNormal(); }, workArea.size(), true},
            {"full screen", [&] { window->showFullScreen(); }, [&] { window->showNormal(); }, desktop.size(), false},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            c.give();
            EXPECT_TRUE(Sized(window, c.size, c.withFrame)) << window->width() << "x" << window->height();
            EXPECT_EQ(page->size(), pageSize);
            // Centred: as much room left as right, above as below (one
            // pixel apart when the room is odd).
            const QRect inWindow(page->mapTo(window, QPoint(0, 0)), page->size());
            EXPECT_LE(std::abs(inWindow.left() - (window->width() - inWindow.right() - 1)), 1);
            EXPECT_LE(std::abs(inWindow.top() - (window->height() - inWindow.bottom() - 1)), 1);
            // Nothing clipped or drawn over: the window shows the page's
            // pixels as at the window's own size.
            EXPECT_TRUE(Grab(window).copy(inWindow) == pagePixels);

            c.restore();
            EXPECT_TRUE(Sized(window, ownSize)) << window->width() << "x" << window->height();
            EXPECT_TRUE(Grab(window) == pagePixels);
        }
        // The window cannot be made smaller than the page.
        window->resize(ownSize - QSize(40, 40));
        QApplication::processEvents();
        EXPECT_EQ(window->size(), ownSize);
    });
}

}  // namespace
