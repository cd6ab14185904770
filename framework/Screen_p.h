#pragma once
// Framework-internal: the one portrait window that is the program's screen.
// Each running dialog is a page on it: a navigation bar with the caption and
// the ok button at the top, the dialog in the middle, the command bar at the
// bottom. The page on top is the dialog being run; a window given more room
// than a page needs (maximized, full screen) shows it whole in its middle.
// The screen knows nothing of dialogs: a page tells its dialog of the ok
// button, Esc and the window's close through the functions the dialog gives
// it.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class CDialog;
class QLabel;
class QStackedLayout;
class QHBoxLayout;

namespace fw {

class Page : public QWidget {
public:
    // The page takes the dialog's area, sized to clientSize, and shows the
    // caption in its navigation bar.
    Page(QWidget* dialogArea, const QString& pageCaption, QSize clientSize);
    QWidget* client = nullptr;
    QString caption;  // also the window's title while the page is on top
    QWidget* commandBarSlot = nullptr;
    QHBoxLayout* commandBarLayout = nullptr;
    QWidget* okButton = nullptr;
    QWidget* emptyBar = nullptr;         // the bar every dialog has until it makes its own
    QPointer<QWidget> focusBeforeCover;  // restored when the page is on top again
    // The ok button was pressed; Esc was pressed; the window is closing.
    std::function<void()> onOk, onCancel, onClose;
};

class Screen : public QWidget {
public:
    static Screen* Get();
    static Screen* Existing();

    // The dialog is only kept for TopDialog().
    void Push(Page* page, CDialog* dlg);
    void Pop(Page* page);
    CDialog* TopDialog() const;
    // The client size every page gets: the largest template, in pixels.
    QSize ClientSize() const;
    // What a request to bring the window to the front came to: no window to
    // show, or the desktop asked to activate it (which it may refuse).
    enum class Raise { NoWindow, ActivationAsked };
    // Brings the window to the front and asks for the focus with what a
    // later copy's launcher gave it (the Wayland activation token, the X
    // startup id; either may be empty): used for this one request, and never
    // left behind for a later one or for a program started later.
    Raise RaiseWindow(const QByteArray& activationToken, const QByteArray& startupId);

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Screen();
    QStackedLayout* m_stack;
    std::vector<std::pair<Page*, CDialog*>> m_pages;
    mutable QSize m_clientSize;
    mutable QString m_clientSizeKey;
};

// The font every dialog is laid out in.
QFont DialogFont();
// Dialog base units of the dialog font: the average letter width and height.
QSize DialogBaseUnits(const QFont& font);
QRect DialogUnitsToPixels(const QFont& font, int x, int y, int cx, int cy);

}  // namespace fw
