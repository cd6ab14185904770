// The program's one window, the screen, with a page per running dialog;
// and dialog units, which size both the screen and the dialogs' controls.

#include "framework/Screen_p.h"

#include "framework/Layout_p.h"
#include "framework/ResourceTypes.h"
#include "framework/Translation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <xcb/xcb.h>

namespace fw {

// ---------------------------------------------------------------- dialog units

QSize DialogBaseUnits(const QFont& font)
{
    // Every template and every control converts its units with these, so
    // the letters are measured once per font, not once per conversion.
    static QFont measuredFont;
    static QSize measured;
    if (measured.isEmpty() || font != measuredFont) {
        const QFontMetrics metrics(font);
        const int width =
            metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        measuredFont = font;
        measured = {(width / 26 + 1) / 2, metrics.height()};
    }
    return measured;
}

QFont DialogFont() { return QApplication::font(); }

namespace {

// a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c)
{
    const long long p = static_cast<long long>(a) * b;
    return int(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
}

}  // namespace

QRect DialogUnitsToPixels(const QFont& font, int x, int y, int cx, int cy)
{
    const QSize base = DialogBaseUnits(font);
    return QRect(MulDiv(x, base.width(), 4), MulDiv(y, base.height(), 8), MulDiv(cx, base.width(), 4),
                 MulDiv(cy, base.height(), 8));
}

// ---------------------------------------------------------------- pages and the screen

namespace {

// The caption in the navigation bar: a caption too long for the bar ends in
// an ellipsis rather than widening the screen; screen readers get it whole.
class CaptionLabel : public QLabel {
public:
    CaptionLabel(const QString& caption, QWidget* parent) : QLabel(parent), m_caption(caption)
    {
        setAccessibleName(caption);
        setToolTip(caption);
    }

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QLabel::resizeEvent(e);
        setText(fontMetrics().elidedText(m_caption, Qt::ElideRight, contentsRect().width()));
    }

private:
    QString m_caption;
};

}  // namespace

Page::Page(QWidget* dialogArea, const QString& pageCaption, QSize clientSize) : client(dialogArea), caption(pageCaption)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* nav = new QWidget(this);
    nav->setObjectName(QStringLiteral("navigationBar"));
    nav->setAutoFillBackground(true);
    QPalette navPalette = nav->palette();
    navPalette.setColor(QPalette::Window, QColor(0, 0, 96));
    navPalette.setColor(QPalette::WindowText, Qt::white);
    nav->setPalette(navPalette);
    auto* navRow = new QHBoxLayout(nav);
    navRow->setContentsMargins(6, 3, 4, 3);
    auto* title = new CaptionLabel(caption, nav);
    title->setObjectName(QStringLiteral("caption"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    // A long caption must not widen the screen.
    title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    title->setMinimumWidth(0);
    navRow->addWidget(title, 1);
    auto* ok = new QPushButton(Translate("Screen", "OK"), nav);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setAccessibleName(ok->text());
    ok->setFocusPolicy(Qt::TabFocus);
    // Enter on the focused button presses it, as on the dialogs' own buttons.
    ok->setAutoDefault(true);
    QObject::connect(ok, &QPushButton::clicked, ok, [this] {
        if (onOk)
            onOk();
    });
    navRow->addWidget(ok);
    okButton = ok;
    column->addWidget(nav);

    client->setParent(this);
    client->setFixedSize(clientSize);
    column->addWidget(client);

    commandBarSlot = new QWidget(this);
    commandBarSlot->setObjectName(QStringLiteral("commandBar"));
    commandBarLayout = new QHBoxLayout(commandBarSlot);
    commandBarLayout->setContentsMargins(2, 2, 2, 2);
    const int barHeight = QFontMetrics(font()).height() + 14;
    commandBarSlot->setFixedHeight(barHeight);
    emptyBar = new QWidget(commandBarSlot);
    commandBarLayout->addWidget(emptyBar, 1);
    column->addWidget(commandBarSlot);
}

Screen::Screen()
{
    setObjectName(QStringLiteral("screen"));
    // The pages keep their size; the window may be given a larger one
    // (maximized, full screen, a desktop that tiles), and must then take it:
    // a window that keeps its own size against the desktop's is a protocol
    // error on Wayland. The page stays whole in the middle of the window, on
    // the window's background.
    auto* window = new QGridLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSizeConstraint(QLayout::SetMinimumSize);
    auto* pageArea = new QWidget(this);
    pageArea->setObjectName(QStringLiteral("pageArea"));
    window->addWidget(pageArea, 0, 0, Qt::AlignCenter);
    m_stack = new QStackedLayout(pageArea);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->setSizeConstraint(QLayout::SetFixedSize);
}

// Every page has the client size of the largest template, so the screen
// keeps its size whichever dialog is on top. The English texts fit the
// dialog units they were written for; a translation's are measured, in the
// font of the day, before the first page (measuring them all at every
// start would cost English its start-up time for nothing).
QSize Screen::ClientSize() const
{
    const QFont font = DialogFont();
    const QString language = TranslationLanguage();
    const QString key = font.key() + QLatin1Char('/') + language;
    if (key != m_clientSizeKey) {
        m_clientSize = QSize();
        for (const res::DialogTemplate* t : res::AllDialogTemplates())
            m_clientSize =
                m_clientSize.expandedTo(language.isEmpty() ? DialogUnitsToPixels(font, 0, 0, t->cx, t->cy).size()
                                                           : LayOutTemplate(*t, font).client);
        m_clientSizeKey = key;
    }
    return m_clientSize;
}

namespace {
QPointer<Screen> g_screen;
}

Screen* Screen::Get()
{
    if (!g_screen) {
        g_screen = new Screen;
        g_screen->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    return g_screen;
}

Screen* Screen::Existing() { return g_screen; }

void Screen::Push(Page* page, CDialog* dlg)
{
    if (QWidget* focus = QApplication::focusWidget(); focus && !m_pages.empty())
        m_pages.back().first->focusBeforeCover = focus;
    m_pages.emplace_back(page, dlg);
    m_stack->addWidget(page);
    m_stack->setCurrentWidget(page);
    setWindowTitle(page->caption);
    if (!isVisible()) {
        // The first screen opens in the middle of the desktop's work area.
        adjustSize();
        if (const QScreen* desktop = QGuiApplication::primaryScreen())
            move(desktop->availableGeometry().center() - rect().center());
        show();
    }
    // Show the window in front, as a dialog that fills the screen does.
    raise();
    activateWindow();
}

void Screen::Pop(Page* page)
{
    for (auto it = m_pages.begin(); it != m_pages.end(); ++it) {
        if (it->first == page) {
            m_pages.erase(it);
            break;
        }
    }
    m_stack->removeWidget(page);
    // With no page left the window stays as it is until the program ends
    // (or the next run puts a page on it).
    if (m_pages.empty())
        return;
    Page* top = m_pages.back().first;
    m_stack->setCurrentWidget(top);
    setWindowTitle(top->caption);
    activateWindow();
    if (top->focusBeforeCover)
        top->focusBeforeCover->setFocus(Qt::ActiveWindowFocusReason);
}

CDialog* Screen::TopDialog() const { return m_pages.empty() ? nullptr : m_pages.back().second; }

namespace {

// The X server time of the user's action that started the later copy: the
// _TIME part of its startup id, which window managers that prevent focus
// stealing compare with the user's last action; 0 when there is none.
quint32 StartupTime(const QByteArray& startupId)
{
    const int at = startupId.lastIndexOf("_TIME");
    bool ok = false;
    const quint32 time = at < 0 ? 0 : startupId.mid(at + 5).toUInt(&ok);
    return ok ? time : 0;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, false, quint16(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// Tells the launcher that the start it announced is over (its busy cursor
// or spinner stops): the startup-notification "remove" message, sent to the
// root window in pieces of 20 bytes.
void SendStartupRemove(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window, const QByteArray& id)
{
    QByteArray message = "remove: ID=\"";
    for (const char c : id) {
        if (c == '"' || c == '\\')
            message += '\\';
        message += c;
    }
    message += "\"";
    message += '\0';
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 8;
    event.window = window;
    event.type = Atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = Atom(connection, "_NET_STARTUP_INFO");
    for (int sent = 0; sent < message.size(); sent += 20) {
        std::memset(event.data.data8, 0, sizeof event.data.data8);
        std::memcpy(event.data.data8, message.constData() + sent, std::min<size_t>(20, message.size() - sent));
        xcb_send_event(connection, false, root, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&event));
        event.type = more;
    }
}

// On X11 with a startup id: asks the window manager to activate the window
// as of the time of the user's action that started the later copy (Qt's own
// request carries the time of the last event this copy saw, older than
// anything the user did since), and ends the launcher's start notice. False
// when that could not be done; the caller then asks through Qt.
bool ActivateWithStartupId(QWidget* window, const QByteArray& startupId)
{
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    const quint32 time = StartupTime(startupId);
    if (!connection || startupId.isEmpty())
        return false;
    const auto id = xcb_window_t(window->winId());
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr);
    const xcb_window_t root = tree ? tree->root : xcb_window_t(XCB_WINDOW_NONE);
    std::free(tree);
    if (root == XCB_WINDOW_NONE)
        return false;
    SendStartupRemove(connection, root, id, startupId);
    if (time != 0) {
        xcb_client_message_event_t event {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id;
        event.type = Atom(connection, "_NET_ACTIVE_WINDOW");
        event.data.data32[0] = 1;  // asked by an application
        event.data.data32[1] = time;
        xcb_send_event(connection, false, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_flush(connection);
    return time != 0;
}

}  // namespace

Screen::Raise Screen::RaiseWindow(const QByteArray& activationToken, const QByteArray& startupId)
{
    if (m_pages.empty())
        return Raise::NoWindow;
    if (isMinimized())
        showNormal();
    raise();
    // Qt's Wayland plugin sends the token it finds in the environment as it
    // asks for the focus, and clears it; on a desktop that takes no token it
    // stays, so it is cleared here whatever happened. None is made up: one
    // left from an earlier request goes before this one.
    qunsetenv("XDG_ACTIVATION_TOKEN");
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    if (!ActivateWithStartupId(this, startupId))
        activateWindow();
    qunsetenv("XDG_ACTIVATION_TOKEN");
    return Raise::ActivationAsked;
}

void Screen::closeEvent(QCloseEvent* e)
{
    // Closing the window ends every run; the window goes when the last does.
    e->ignore();
    for (auto it = m_pages.rbegin(); it != m_pages.rend(); ++it)
        if (it->first->onClose)
            it->first->onClose();
}

void Screen::keyPressEvent(QKeyEvent* e)
{
    // Esc from the navigation bar, the command bar or a screen without a
    // focused control (the dialog's own area handles it for its controls).
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier && !m_pages.empty()) {
        if (const Page* top = m_pages.back().first; top->onCancel)
            top->onCancel();
        return;
    }
    QWidget::keyPressEvent(e);
}

}  // namespace fw
