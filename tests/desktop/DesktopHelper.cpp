// Another program on the suite's desktop, for what a user brings from
// outside Sonavolta:
//   desktop_helper clipboard TEXT   holds TEXT on the clipboard
//   desktop_helper drag TEXT        a small window showing TEXT that the
//                                   mouse can drag the text out of; prints
//                                   "dropped copy" when a target took the
//                                   drop, "dropped nothing" when none did
//   desktop_helper drag-move TEXT   the same, offering to move the text as
//                                   editors do: prints "dropped move" and
//                                   deletes its text when a target moved it
// Prints "ready" once the text can be pasted or dragged, then runs until it
// is ended.

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>

namespace {

void SayReady()
{
    std::puts("ready");
    std::fflush(stdout);
}

class DragSource : public QLabel {
public:
    DragSource(const QString& text, Qt::DropActions offered) : QLabel(text), m_offered(offered)
    {
        setWindowFlag(Qt::FramelessWindowHint);
        setAlignment(Qt::AlignCenter);
        setAccessibleName(QStringLiteral("drag source"));
        setFixedSize(120, 40);
        move(0, 0);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override { m_pressedAt = e->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (!(e->buttons() & Qt::LeftButton)
            || (e->position().toPoint() - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
            return;
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setText(text());
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(m_offered, Qt::CopyAction);
        if (action == Qt::MoveAction)
            setText(QString());
        std::puts(action == Qt::CopyAction   ? "dropped copy"
                  : action == Qt::MoveAction ? "dropped move"
                                             : "dropped nothing");
        std::fflush(stdout);
    }

private:
    Qt::DropActions m_offered;
    QPoint m_pressedAt;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString text = QString::fromLocal8Bit(argv[2]);

    if (mode == QLatin1String("clipboard")) {
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setText(text);
        // The clipboard is ours once the X server says so.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (clipboard->ownsClipboard()) {
                poll.stop();
                SayReady();
            }
        });
        poll.start(10);
        return QApplication::exec();
    }
    if (mode == QLatin1String("drag") || mode == QLatin1String("drag-move")) {
        DragSource source(text, mode == QLatin1String("drag") ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction);
        source.show();
        QTimer::singleShot(0, [] { SayReady(); });
        return QApplication::exec();
    }
    return 2;
}
