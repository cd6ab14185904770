// The start-up floor: a bare Qt Widgets dialog, the least a toolkit program
// shows. One window with a painted header (a bold title above a rule), three
// labelled fields and an ok button; nothing else. The start-up benchmark
// (bench/startup-vs-floor) starts it side by side with the program.
//
// With SONAVOLTA_EXIT_AFTER_FIRST_PAINT set it prints "first paint" at its
// first paint and closes 100 ms later, as the program does.

#include <QApplication>
#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "FirstPaint.h"

namespace {

class Header : public QWidget {
public:
    explicit Header(QWidget* parent) : QWidget(parent) { setFixedHeight(25); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(QColor(0, 0, 156));
        painter.drawText(QRect(8, 0, width() - 8, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Floor"));
        painter.fillRect(QRect(0, 24, width(), 1), Qt::black);

        AfterPaint(window());
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Floor"));
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(new Header(&dialog));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("First"), new QLineEdit(&dialog));
    fields->addRow(QStringLiteral("Second"), new QLineEdit(&dialog));
    fields->addRow(QStringLiteral("Third"), new QLineEdit(&dialog));
    column->addLayout(fields);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    column->addWidget(ok);
    dialog.exec();
    return 0;
}
