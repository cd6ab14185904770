// The chooser's window written directly in Qt, with none of the program's
// code: the same widgets, texts and picture as the program's first window
// (a navigation bar with a bold caption and an OK button, a header, the
// rings, three buttons sized in dialog units, a command bar with a Help
// menu, the program icon). Beside it, the start-up benchmark shows what the
// program's own layers cost over Qt for the same window, apart from what
// the window itself costs.
//
// With SONAVOLTA_EXIT_AFTER_FIRST_PAINT set it prints "first paint" at its
// first paint and closes 100 ms later, as the program does.

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "FirstPaint.h"

#include <algorithm>

namespace {

const QColor kBackground(186, 218, 255);
const QColor kRingFill(119, 184, 255);
const QColor kRingEdge(0, 0, 156);

class Client : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), kBackground);
        const int x = width() / 2, y = height() / 2;
        // A box whose corners have crossed draws nothing, as in the program.
        const auto ellipse = [&](int left, int top, int right, int bottom) {
            if (right > left && bottom > top)
                painter.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
        };
        int left = x - 118, top = y - 106, right = x + 118, bottom = y + 130;
        for (int pass = 0; pass < 6; ++pass) {
            painter.setPen(kRingEdge);
            painter.setBrush(kRingFill);
            ellipse(left, top, right, bottom);
            left += 10, top += 10, right -= 10, bottom -= 10;
            painter.setPen(kBackground);
            painter.setBrush(kBackground);
            ellipse(left, top, right, bottom);
            left += 20, top += 20, right -= 20, bottom -= 20;
        }
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(kRingEdge);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(Qt::white);
        const int height = std::max(24, painter.fontMetrics().height() + 10);
        painter.drawText(QRect(8, 0, width() - 8, height), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Choose Calculator"));
        painter.setPen(Qt::black);
        painter.drawLine(0, height, width(), height);

        AfterPaint(window());
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(SONAVOLTA_ICON)));

    // Dialog units: a quarter of the average letter width, an eighth of the
    // line height.
    const QFontMetrics metrics(QApplication::font());
    const int unitX =
        (metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1)
        / 2;
    const int unitY = metrics.height();
    const auto units = [&](int x, int y, int cx, int cy) {
        return QRect(x * unitX / 4, y * unitY / 8, cx * unitX / 4, cy * unitY / 8);
    };

    QWidget window;
    window.setWindowTitle(QStringLiteral("Sonavolta"));
    auto* column = new QVBoxLayout(&window);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* nav = new QWidget(&window);
    nav->setAutoFillBackground(true);
    QPalette navPalette = nav->palette();
    navPalette.setColor(QPalette::Window, QColor(0, 0, 96));
    navPalette.setColor(QPalette::WindowText, Qt::white);
    nav->setPalette(navPalette);
    auto* navRow = new QHBoxLayout(nav);
    navRow->setContentsMargins(6, 3, 4, 3);
    auto* caption = new QLabel(QStringLiteral("Sonavolta"), nav);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    navRow->addWidget(caption, 1);
    auto* ok = new QPushButton(QStringLiteral("OK"), nav);
    QObject::connect(ok, &QPushButton::clicked, &window, &QWidget::close);
    navRow->addWidget(ok);
    column->addWidget(nav);

    auto* client = new Client(&window);
    client->setFixedSize(units(0, 0, 140, 167).size());
    // In the order of the program's template: Level first, with the focus.
    const char* const names[] = {"Level", "Delay", "Wave"};
    const int tops[] = {102, 36, 69};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(names[i]), client);
        button->setGeometry(units(28, tops[i], 79, 21));
        if (i == 0)
            button->setFocus();
    }
    column->addWidget(client);

    auto* bar = new QToolBar(&window);
    auto* help = new QToolButton(bar);
    help->setText(QStringLiteral("Help"));
    help->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(help);
    menu->addAction(QStringLiteral("Help Contents"));
    menu->addAction(QStringLiteral("About Sonavolta"));
    help->setMenu(menu);
    bar->addWidget(help);
    column->addWidget(bar);

    window.adjustSize();
    if (const QScreen* desktop = QGuiApplication::primaryScreen())
        window.move(desktop->availableGeometry().center() - window.rect().center());
    window.show();
    window.raise();
    window.activateWindow();
    return app.exec();
}
