#include "framework/Widgets_p.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Dispatch_p.h"
#include "framework/WinApp.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>

#include <functional>

namespace fw {

void SendNotify(ControlHost* host, UINT code)
{
    if (!host->owner)
        return;
    Guarded([&] {
        // A control that handles the notification itself keeps it.
        if (host->owner->OnCmdMsg(WM_REFLECT_COMMAND, code, 0))
            return;
        if (host->dialog)
            host->dialog->OnCmdMsg(WM_COMMAND, code, host->controlId);
    });
}

void ApplyCtlColor(QWidget* widget, ControlHost* host, UINT ctlColor)
{
    if (!host->dialog || !host->owner)
        return;
    const bool isEdit = qobject_cast<QLineEdit*>(widget) != nullptr;
    const QPalette::ColorRole role = isEdit ? QPalette::Base : widget->backgroundRole();
    const QPalette::ColorRole textRole = isEdit ? QPalette::Text : widget->foregroundRole();
    const QPalette desktop = QApplication::palette(widget);
    // The context comes with the control's default text colour; a dialog
    // that chooses the background chooses a text colour readable on it.
    const QColor desktopText = desktop.color(textRole);
    const COLORREF defaultText = RGB(desktopText.red(), desktopText.green(), desktopText.blue());
    COLORREF text = defaultText;
    CBrush* brush = nullptr;
    Guarded([&] {
        CDC dc;
        dc.SetTextColor(text);
        brush = host->dialog->DispatchCtlColor(&dc, host->owner, ctlColor);
        text = dc.GetTextColor();
    });
    const QColor wanted = brush ? ToQColor(brush->GetColor()) : desktop.color(role);
    const bool textChosen = text != defaultText;
    if (!isEdit)
        widget->setAutoFillBackground(brush != nullptr);
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, role, wanted);
        palette.setColor(group, textRole, textChosen ? ToQColor(text) : desktop.color(group, textRole));
    }
    if (palette != widget->palette())
        widget->setPalette(palette);
}

namespace {

UINT VirtualKey(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    default: break;
    }
    // Letters, digits and space have virtual keys of their own code; no other
    // key may share a code with Delete or Enter.
    const int key = e->key();
    if (key == Qt::Key_Space || (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return UINT(key);
    return 0x100 + UINT(key & 0xFFFF);
}

bool HasCommandModifier(const QKeyEvent* e)
{
    return e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

}  // namespace

// ---------------------------------------------------------------- edit

EditWidget::EditWidget(QWidget* parent) : QLineEdit(parent)
{
    // Every change of the text passes here, whatever made it: typed keys,
    // the program, and the roads that reach the text from outside any event
    // of this field (its menu's actions, screen readers).
    connect(this, &QLineEdit::textChanged, this, [this] { OnTextChanged(); });
    connect(this, &QLineEdit::selectionChanged, this, [this] { RememberSelection(); });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { RememberSelection(); });
}

EditWidget::Selection EditWidget::CurrentSelection() const
{
    return {cursorPosition(), selectionStart(), int(selectedText().size())};
}

void EditWidget::RememberSelection()
{
    // Inside a change the selection moves with the text; the one before it
    // is kept until the change is settled.
    if (!m_settling)
        m_shownSelection = CurrentSelection();
}

void EditWidget::WriteText(const QString& text)
{
    ++m_programDepth;
    QLineEdit::setText(text);
    --m_programDepth;
}

void EditWidget::Restore(const QString& text, const Selection& selection)
{
    WriteText(text);
    if (selection.start >= 0 && selection.length > 0)
        setSelection(selection.start, selection.length);
    else
        setCursorPosition(selection.cursor);
}

bool EditWidget::Accepts(const QString& before, const QString& after)
{
    if (isReadOnly())
        return false;
    bool accepted = true;
    if (auto* edit = dynamic_cast<CEdit*>(owner))
        Guarded([&] { accepted = edit->AcceptsEditedText(before, after); });
    return accepted;
}

void EditWidget::SetTextFromProgram(const QString& text)
{
    WriteText(text);
    // A single-line field reports every write, even of the same text; a
    // multi-line one reports none: the dialogs depend on both.
    if (!(templateStyle & res::ES_MULTILINE))
        SendNotify(this, EN_CHANGE);
}

void EditWidget::OnTextChanged()
{
    if (!owner || m_programDepth > 0 || m_filteredDepth > 0 || m_settling) {
        // The program's writes and typed keys, checked by the key filter.
        m_shownText = text();
        return;
    }
    if (m_eventDepth > 0) {
        // Checked whole once the event that made it is handled.
        m_editedOutsideFilter = true;
        return;
    }
    SettleOutsideEdit();
}

void EditWidget::SettleOutsideEdit()
{
    const QString before = m_shownText;
    const Selection selectionBefore = m_shownSelection;
    const QString after = text();
    const Selection selectionAfter = CurrentSelection();
    if (after == before)
        return;
    m_settling = true;
    // The edit belongs to the field being entered, as a typed key does: a
    // field without the focus takes it first, and the edit is made again
    // there; a refused edit is taken back.
    const bool accepted = Accepts(before, after);
    const bool elsewhere = !hasFocus();
    if (!accepted || elsewhere)
        Restore(before, selectionBefore);
    m_shownText = text();
    m_shownSelection = CurrentSelection();
    m_settling = false;
    if (!accepted)
        return;
    if (!elsewhere) {
        SendNotify(this, EN_CHANGE);
        return;
    }
    TakeFocus(Qt::OtherFocusReason);
    EditAsEntered([&] {
        WriteText(after);
        setCursorPosition(selectionAfter.cursor);
        m_shownText = text();
        m_shownSelection = CurrentSelection();
        SendNotify(this, EN_CHANGE);
    });
}

bool EditWidget::TakeFocus(Qt::FocusReason reason)
{
    if (!window()->isActiveWindow())
        window()->activateWindow();
    setFocus(reason);
    return hasFocus();
}

namespace {

// The field entered for one edit while its window could not have the focus.
QPointer<QWidget> g_enteredWithoutFocus;

}  // namespace

QWidget* FocusedControl() { return g_enteredWithoutFocus ? g_enteredWithoutFocus.data() : QApplication::focusWidget(); }

void EditWidget::EditAsEntered(const std::function<void()>& edit)
{
    if (hasFocus() || g_enteredWithoutFocus == this) {
        edit();
        return;
    }
    // The window is not active, and activation is the desktop's to grant:
    // it comes later, if at all. The field is entered for this edit alone.
    const QPointer<EditWidget> self(this);
    const QPointer<QWidget> outer = g_enteredWithoutFocus;
    g_enteredWithoutFocus = this;
    SendNotify(this, EN_SETFOCUS);
    edit();
    g_enteredWithoutFocus = outer;
    if (self)
        SendNotify(this, EN_KILLFOCUS);
}

bool EditWidget::TakesDrop(const QDropEvent& e)
{
    // A move inside the field is checked as it is made.
    if (e.source() == this)
        return true;
    QString after = text();
    after.insert(cursorPositionAt(e.position().toPoint()), e.mimeData()->text());
    return Accepts(text(), after);
}

bool EditWidget::event(QEvent* e)
{
    if (!owner || m_eventDepth > 0)
        return QLineEdit::event(e);
    if (e->type() != QEvent::Drop || isReadOnly())
        return CheckedEvent(e);

    // A drop is an edit of the field it lands on, as a paste is: the field
    // takes the focus as a click would, and its dialog treats it as the field
    // being entered whether or not the window is active yet. A drop the
    // field would not take changes nothing (the drag was told so as it
    // hovered).
    auto* drop = static_cast<QDropEvent*>(e);
    if (!hasFocus())
        TakeFocus(Qt::MouseFocusReason);
    if (!TakesDrop(*drop)) {
        drop->ignore();
        return true;
    }
    bool result = false;
    EditAsEntered([&] { result = CheckedEvent(e); });
    return result;
}

bool EditWidget::CheckedEvent(QEvent* e)
{
    // Any change made while handling this event that did not come through a
    // typed character is offered to the control whole before it stands.
    const QString before = text();
    const Selection selectionBefore = CurrentSelection();
    m_editedOutsideFilter = false;
    ++m_eventDepth;
    const bool result = QLineEdit::event(e);
    --m_eventDepth;
    if (!m_editedOutsideFilter || !owner)
        return result;
    m_editedOutsideFilter = false;
    const QString after = text();
    if (after == before)
        return result;
    if (Accepts(before, after))
        SendNotify(this, EN_CHANGE);
    else
        Restore(before, selectionBefore);
    m_shownText = text();
    m_shownSelection = CurrentSelection();
    return result;
}

void EditWidget::keyPressEvent(QKeyEvent* e)
{
    if (!owner) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    MSG msg {WM_KEYDOWN, VirtualKey(e)};
    bool swallowed = false;
    Guarded([&] { swallowed = owner->PreTranslateMessage(&msg); });
    if (swallowed) {
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Backspace && !HasCommandModifier(e)) {
        m_currentKey = e;
        TypeCharacter(VK_BACK);
        m_currentKey = nullptr;
        e->accept();
        return;
    }
    const QString typed = e->text();
    const bool printable =
        !typed.isEmpty() && !HasCommandModifier(e) && typed.at(0).unicode() >= 0x20 && typed.at(0).unicode() != 0x7F;
    if (!printable) {
        // Navigation, shortcuts, Enter and Esc: the edit's own handling;
        // edits they make are checked in event().
        QLineEdit::keyPressEvent(e);
        return;
    }
    m_currentKey = typed.toUcs4().size() == 1 ? e : nullptr;
    for (char32_t c : typed.toUcs4())
        TypeCharacter(c);
    m_currentKey = nullptr;
    e->accept();
}

void EditWidget::TypeCharacter(char32_t c)
{
    m_currentChar = c;
    bool handled = false;
    Guarded([&] { handled = owner->DispatchChar(UINT(c), 1, 0); });
    if (!handled)
        DefaultProcessing();
    m_currentChar = 0;
}

void EditWidget::DefaultProcessing()
{
    if (!m_currentChar || isReadOnly())
        return;
    const QString before = text();
    ++m_filteredDepth;
    if (m_currentKey) {
        QLineEdit::keyPressEvent(m_currentKey);
    } else if (m_currentChar == VK_BACK) {
        backspace();
    } else {
        const char32_t c = m_currentChar;
        insert(QString::fromUcs4(&c, 1));
    }
    --m_filteredDepth;
    if (text() != before)
        SendNotify(this, EN_CHANGE);
}

void EditWidget::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (e->reason() != Qt::PopupFocusReason)
        SendNotify(this, EN_SETFOCUS);
}

void EditWidget::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    // A context menu takes the focus only for a moment.
    if (e->reason() != Qt::PopupFocusReason)
        SendNotify(this, EN_KILLFOCUS);
}

// Say no while the drag hovers, so the source keeps what it offered.
void EditWidget::dragEnterEvent(QDragEnterEvent* e)
{
    QLineEdit::dragEnterEvent(e);
    if (owner && e->isAccepted() && !TakesDrop(*e))
        e->ignore();
}

void EditWidget::dragMoveEvent(QDragMoveEvent* e)
{
    QLineEdit::dragMoveEvent(e);
    if (owner && e->isAccepted() && !TakesDrop(*e))
        e->ignore();
}

void EditWidget::paintEvent(QPaintEvent* e)
{
    ApplyCtlColor(this, this, isReadOnly() || !isEnabled() ? CTLCOLOR_STATIC : CTLCOLOR_EDIT);
    QLineEdit::paintEvent(e);
}

// ---------------------------------------------------------------- buttons, lists, labels

ButtonWidget::ButtonWidget(QWidget* parent) : QPushButton(parent)
{
    // Enter on a focused button presses it, as Space does.
    setAutoDefault(true);
    connect(this, &QPushButton::clicked, this, [this] { SendNotify(this, BN_CLICKED); });
}

void ButtonWidget::paintEvent(QPaintEvent* e)
{
    ApplyCtlColor(this, this, CTLCOLOR_BTN);
    QPushButton::paintEvent(e);
}

CheckWidget::CheckWidget(QWidget* parent) : QCheckBox(parent)
{
    connect(this, &QCheckBox::clicked, this, [this] { SendNotify(this, BN_CLICKED); });
}

void CheckWidget::paintEvent(QPaintEvent* e)
{
    ApplyCtlColor(this, this, CTLCOLOR_STATIC);
    QCheckBox::paintEvent(e);
}

namespace {

// A screen reader on Linux reads a list's current item as its name and
// learns what the list is for from a label or the description. Our lists are
// named by their dialog (the Level unit lists have no label of their own), so
// a list reports its current item as its name and value, that name as its
// description and, as Qt's own does, its item list as its child.
class ComboAccessible : public QAccessibleWidget {
public:
    explicit ComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name || t == QAccessible::Value)
            return Combo()->currentText();
        if (t == QAccessible::Description && Combo()->accessibleDescription().isEmpty())
            return Combo()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == Combo()->view() ? 0 : -1;
    }
    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << showMenuAction(); }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction())
            Combo()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* ComboAccessibleFactory(const QString&, QObject* object)
{
    auto* combo = dynamic_cast<ComboWidget*>(object);
    return combo ? new ComboAccessible(combo) : nullptr;
}

}  // namespace

ComboWidget::ComboWidget(QWidget* parent) : QComboBox(parent)
{
    [[maybe_unused]] static const bool factoryInstalled = (QAccessible::installFactory(ComboAccessibleFactory), true);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        // The item shown is the list's name: tell screen readers it changed.
        QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nameChanged);
        if (!m_programWrite)
            SendNotify(this, CBN_SELCHANGE);
    });
}

void ComboWidget::SetCurrentFromProgram(int index)
{
    m_programWrite = true;
    setCurrentIndex(index);
    m_programWrite = false;
}

void ComboWidget::paintEvent(QPaintEvent* e)
{
    ApplyCtlColor(this, this, CTLCOLOR_LISTBOX);
    QComboBox::paintEvent(e);
}

LabelWidget::LabelWidget(QWidget* parent) : QLabel(parent) {}

void LabelWidget::paintEvent(QPaintEvent* e)
{
    ApplyCtlColor(this, this, CTLCOLOR_STATIC);
    QLabel::paintEvent(e);
}

namespace {

// An icon that is read only when something shows or measures it.
class DeferredIcon : public QIconEngine {
public:
    explicit DeferredIcon(std::function<QIcon()> read) : m_read(std::move(read)) {}

    QIconEngine* clone() const override { return new DeferredIcon(*this); }
    QString key() const override { return QStringLiteral("DeferredIcon"); }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }

private:
    const QIcon& Icon()
    {
        if (m_read) {
            m_icon = m_read();
            m_read = nullptr;
        }
        return m_icon;
    }

    std::function<QIcon()> m_read;
    QIcon m_icon;
};

}  // namespace

QPixmap ResourcePixmap(int id)
{
    const char* path = res::FindImagePath(id);
    if (!path)
        return {};
    // The program icon is asked for three times as the first window opens;
    // it is read once.
    const QString key = QStringLiteral("sonavolta-resource-%1").arg(id);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    const QString file = QString::fromUtf8(path);
    QImageReader reader(file, QFileInfo(file).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    pixmap = QPixmap::fromImage(reader.read());
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QIcon ResourceIcon(int id)
{
    const QPixmap pixmap = ResourcePixmap(id);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

namespace {

// The toolkit's own style, but for one thing: every toolbar (the command
// bars are toolbars) asks for its overflow button's picture as it is made,
// which reads three images and, to guess their format, loads every image
// plugin installed, a good part of the start-up. No bar of ours overflows,
// so the picture is read only if one is ever shown.
class WindowStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new DeferredIcon([style = QPointer<QStyle>(baseStyle()), which] {
                return style ? style->standardIcon(which) : QIcon();
            }));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

}  // namespace

}  // namespace fw

void AfxInitWindowStyle()
{
    if (dynamic_cast<fw::WindowStyle*>(QApplication::style()))
        return;
    // The same style as the toolkit would choose (the desktop's, or the one
    // the user asked for), under ours.
    QApplication::setStyle(new fw::WindowStyle(QApplication::style()->name()));
}
