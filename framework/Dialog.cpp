#include "framework/Dialog.h"

#include "framework/Dispatch_p.h"
#include "framework/Ids.h"
#include "framework/Layout_p.h"
#include "framework/ResourceTypes.h"
#include "framework/Screen_p.h"
#include "framework/TestHooks.h"
#include "framework/Translation.h"
#include "framework/Widgets_p.h"
#include "framework/WinApp.h"

#include <QEventLoop>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

namespace fw {

// ---------------------------------------------------------------- the client area

DialogWidget::DialogWidget(CDialog* dlg) : m_dialog(dlg)
{
    dialog = dlg;
    owner = dlg;
    setFocusPolicy(Qt::NoFocus);
}

void DialogWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    CBrush* brush = nullptr;
    Guarded([&] {
        CDC dc;
        brush = dialog->DispatchCtlColor(&dc, dialog, CTLCOLOR_DLG);
    });
    painter.fillRect(rect(), brush ? ToQColor(brush->GetColor()) : palette().color(QPalette::Window));
    currentPainter = &painter;
    Guarded([&] { dialog->OnCmdMsg(WM_PAINT, 0, 0); });
    currentPainter = nullptr;
    testhooks::AfterPaint(window());
}

void DialogWidget::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        Guarded([&] { m_dialog->OnCancel(); });
        return;
    }
    // Enter outside a button does nothing: there is no default button.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return;
    QWidget::keyPressEvent(e);
}

}  // namespace fw

// ---------------------------------------------------------------- data exchange

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.IsWindow())
        return;
    QWidget* widget = pDX->m_pDlgWnd->ControlWidget(id);
    if (!widget)
        throw std::logic_error("data exchange names a control the template does not have");
    control.Attach(widget, id);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    CWnd* item = pDX->m_pDlgWnd->GetDlgItem(id);
    if (!item)
        throw std::logic_error("data exchange names a control the template does not have");
    if (pDX->m_bSaveAndValidate)
        value = item->GetWindowText();
    else
        item->SetWindowText(value);
}

// ---------------------------------------------------------------- the dialog

BEGIN_MESSAGE_MAP(CDialog, CWnd)
END_MESSAGE_MAP()

CDialog::CDialog(int templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() { DestroyWindow(); }

CDialog* CDialog::GetActiveDialog()
{
    fw::Screen* screen = fw::Screen::Existing();
    return screen ? screen->TopDialog() : nullptr;
}

CString CDialog::GetCaption() const
{
    const res::DialogTemplate* t = res::FindDialogTemplate(m_templateId);
    return t ? fw::ResourceText(t->context, t->caption) : CString();
}

CWnd* CDialog::GetDlgItem(int id) const { return FromHandle(ControlWidget(id)); }

CString CDialog::GetWindowText() const { return IsWindow() ? GetCaption() : CString(); }

QWidget* CDialog::ControlWidget(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CDialog::BuildFromTemplate()
{
    const res::DialogTemplate* t = res::FindDialogTemplate(m_templateId);
    const QString caption = GetCaption().isEmpty() ? AfxGetAppName() : GetCaption();
    fw::Screen* screen = fw::Screen::Get();
    auto* client = new fw::DialogWidget(this);
    client->setFont(fw::DialogFont());
    const fw::TemplateLayout layout = fw::LayOutTemplate(*t, client->font());
    // A text wider than its English (a desktop font of other proportions)
    // widens this page alone.
    m_page = new fw::Page(client, caption, screen->ClientSize().expandedTo(layout.client));
    m_page->onOk = [this] { fw::Guarded([&] { OnOK(); }); };
    m_page->onCancel = [this] { fw::Guarded([&] { OnCancel(); }); };
    m_page->onClose = [this] { EndDialog(IDCANCEL); };
    Attach(client, 0);

    const std::vector<Placed> placed = CreateControls(*t, layout, client);
    NameFieldsFromLabels(placed);
    FillLists(*t);
    SizeLists(placed, client->width());
}

std::vector<CDialog::Placed> CDialog::CreateControls(const res::DialogTemplate& t, const fw::TemplateLayout& layout,
                                                     QWidget* client)
{
    std::vector<Placed> placed;
    QWidget* previousTabStop = nullptr;
    for (std::size_t i = 0; i < t.items.size(); ++i) {
        const res::DialogItem& item = t.items[i];
        QWidget* widget = CreateControl(item, fw::ItemText(t, item), layout.items[i], client);
        if (item.kind != res::ControlKind::Static && (item.style & res::WS_TABSTOP)) {
            if (previousTabStop)
                QWidget::setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        }
        placed.push_back({widget, &item});
    }
    if (previousTabStop)
        QWidget::setTabOrder(previousTabStop, m_page->okButton);
    return placed;
}

QWidget* CDialog::CreateControl(const res::DialogItem& item, const QString& text, QRect geometry, QWidget* client)
{
    using namespace res;
    const QFont font = fw::DialogFont();
    QWidget* widget = nullptr;
    fw::ControlHost* host = nullptr;
    switch (item.kind) {
    case ControlKind::Edit: {
        auto* edit = new fw::EditWidget(client);
        edit->setText(text);
        edit->setFrame(item.style & WS_BORDER);
        edit->setReadOnly(item.style & ES_READONLY);
        const Qt::Alignment h = (item.style & ES_RIGHT)    ? Qt::AlignRight
                                : (item.style & ES_CENTER) ? Qt::AlignHCenter
                                                           : Qt::AlignLeft;
        edit->setAlignment(h | Qt::AlignVCenter);
        // Field menus would offer edits the field could not check first.
        edit->setContextMenuPolicy(Qt::DefaultContextMenu);
        widget = edit;
        host = edit;
        break;
    }
    case ControlKind::PushButton: {
        auto* button = new fw::ButtonWidget(client);
        button->setText(text);
        widget = button;
        host = button;
        break;
    }
    case ControlKind::CheckBox: {
        auto* check = new fw::CheckWidget(client);
        check->setText(text);
        if (item.style & BS_LEFTTEXT)
            check->setLayoutDirection(Qt::RightToLeft);
        widget = check;
        host = check;
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new fw::ComboWidget(client);
        widget = combo;
        host = combo;
        break;
    }
    case ControlKind::Static: {
        auto* label = new fw::LabelWidget(client);
        if (item.style & SS_ICON) {
            if (const QPixmap picture = fw::ResourcePixmap(text.toInt()); !picture.isNull())
                label->setPixmap(picture);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        } else {
            label->setText(text);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        widget = label;
        host = label;
        break;
    }
    }
    host->dialog = this;
    host->controlId = item.id;
    host->templateStyle = item.style;
    if (item.kind == ControlKind::Static && !(item.style & SS_ICON)) {
        // A label is never cut short: it takes the width its text needs.
        const int needed = QFontMetrics(font).horizontalAdvance(text) + 2;
        geometry.setWidth(std::min(std::max(geometry.width(), needed), client->width() - geometry.left()));
        geometry.setHeight(std::max(geometry.height(), QFontMetrics(font).height()));
    }
    if (item.kind == ControlKind::ComboBox) {
        // The template height is that of the open list; the box is one line.
        geometry.setHeight(std::max(fw::DialogUnitsToPixels(font, 0, 0, 0, 12).height(), widget->sizeHint().height()));
    }
    widget->setGeometry(geometry);
    widget->setFont(font);
    if (item.style & WS_HIDDEN)
        widget->hide();
    // Labels lie beneath the other controls: a label that ends where its
    // field begins can reach a pixel into it once both are rounded to
    // pixels (or more, widened for its text), and its background must
    // not hide the field's edge.
    if (item.kind == ControlKind::Static)
        widget->lower();

    if (item.kind != ControlKind::Static)
        widget->setFocusPolicy((item.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    else
        widget->setFocusPolicy(Qt::NoFocus);

    std::unique_ptr<CWnd> object;
    switch (item.kind) {
    case ControlKind::Edit: object = std::make_unique<CEdit>(); break;
    case ControlKind::ComboBox: object = std::make_unique<CComboBox>(); break;
    case ControlKind::Static: object = std::make_unique<CStatic>(); break;
    case ControlKind::PushButton:
    case ControlKind::CheckBox: object = std::make_unique<CButton>(); break;
    }
    object->Attach(widget, item.id);
    m_defaultObjects.push_back(std::move(object));
    if (item.id != IDC_STATIC)
        m_controls.emplace(item.id, widget);
    return widget;
}

// Each label names the field on its row, so screen readers and UI
// automation find every field by what the user reads beside it.
void CDialog::NameFieldsFromLabels(const std::vector<Placed>& placed)
{
    using namespace res;
    for (const Placed& field : placed) {
        if (field.item->kind != ControlKind::Edit && field.item->kind != ControlKind::ComboBox)
            continue;
        const DialogItem& f = *field.item;
        const Placed* best = nullptr;
        int bestDistance = 0;
        for (const Placed& label : placed) {
            const DialogItem& l = *label.item;
            if (l.kind != ControlKind::Static || (l.style & SS_ICON))
                continue;
            const int centre = l.y + l.cy / 2;
            if (centre < f.y || centre > f.y + f.cy)
                continue;
            auto distanceTo = [&](const DialogItem& c) {
                if (l.x + l.cx <= c.x)
                    return c.x - (l.x + l.cx);
                if (l.x >= c.x + c.cx)
                    return l.x - (c.x + c.cx);
                return 0;
            };
            const int distance = distanceTo(f);
            // A label belongs to the nearest field of its row.
            bool nearerToAnother = false;
            for (const Placed& other : placed) {
                const DialogItem& o = *other.item;
                if (&o == &f || (o.kind != ControlKind::Edit && o.kind != ControlKind::ComboBox))
                    continue;
                if (centre >= o.y && centre <= o.y + o.cy && distanceTo(o) < distance)
                    nearerToAnother = true;
            }
            if (nearerToAnother)
                continue;
            if (!best || distance < bestDistance) {
                best = &label;
                bestDistance = distance;
            }
        }
        if (best)
            field.widget->setAccessibleName(static_cast<QLabel*>(best->widget)->text());
    }
}

// List contents that come with the template.
void CDialog::FillLists(const res::DialogTemplate& t)
{
    for (const res::DialogInitItem& init : t.initData) {
        if (auto* combo = dynamic_cast<fw::ComboWidget*>(ControlWidget(init.controlId))) {
            const bool wasEmpty = combo->count() == 0;
            combo->addItem(fw::ResourceText(t.context, init.text));
            if (wasEmpty)
                combo->SetCurrentFromProgram(-1);
        }
    }
}

// A list shows its longest item whole, as far as the screen's edge allows.
void CDialog::SizeLists(const std::vector<Placed>& placed, int clientWidth)
{
    for (const Placed& p : placed) {
        auto* combo = dynamic_cast<fw::ComboWidget*>(p.widget);
        if (!combo)
            continue;
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        const int room = clientWidth - combo->x() - 2;
        combo->resize(std::min(std::max(combo->width(), combo->sizeHint().width()), room), combo->height());
    }
}

void CDialog::DestroyWindow()
{
    if (!m_page)
        return;
    // Detach every window object first, so no handler runs while the
    // widgets go away.
    for (QWidget* widget : m_page->findChildren<QWidget*>()) {
        if (CWnd* wnd = CWnd::FromHandle(widget); wnd && wnd != this)
            wnd->Detach();
    }
    m_controls.clear();
    m_defaultObjects.clear();
    Detach();
    fw::Page* page = m_page;
    m_page = nullptr;
    page->hide();
    if (fw::Screen* screen = fw::Screen::Existing())
        screen->Pop(page);
    delete page;
}

int CDialog::DoModal()
{
    if (m_running || !res::FindDialogTemplate(m_templateId))
        return -1;
    // A dialog given no owner is owned by the main window, or else by the
    // dialog it covers.
    CWnd* owner = m_pParentWnd;
    if (!owner && AfxGetMainWnd() != this)
        owner = AfxGetMainWnd();
    if (!owner)
        owner = GetActiveDialog();
    if (owner && !owner->IsWindow())
        owner = nullptr;

    BuildFromTemplate();
    m_running = true;
    m_result = -1;
    fw::Screen::Get()->Push(m_page, this);
    if (owner)
        owner->EnableWindow(false);

    // Initialisation: list contents came with the template; then data
    // exchange to the controls, then the dialog's own set-up.
    bool initialised = false;
    fw::Guarded([&] { initialised = UpdateData(false); });
    if (!initialised) {
        EndDialog(-1);
    } else {
        bool focusFirst = false;
        fw::Guarded([&] { focusFirst = OnInitDialog(); });
        if (focusFirst && m_running) {
            // A dialog without a control to focus (the About box) focuses
            // its ok button, so keys and screen readers have a place to start.
            QWidget* first = m_page->okButton;
            for (const res::DialogItem& item : res::FindDialogTemplate(m_templateId)->items) {
                QWidget* w = ControlWidget(item.id);
                if (w && (item.style & res::WS_TABSTOP) && !(item.style & res::WS_HIDDEN) && w->isEnabled()) {
                    first = w;
                    break;
                }
            }
            first->setFocus(Qt::OtherFocusReason);
        }
    }

    if (m_running) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec(QEventLoop::DialogExec);
        m_loop = nullptr;
    }
    m_running = false;
    if (owner)
        owner->EnableWindow(true);
    DestroyWindow();
    return m_result;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_running = false;
    if (m_loop)
        m_loop->exit(result);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const std::logic_error&) {
        return false;
    }
    return true;
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::OnInitDialog() { return true; }

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() { OnCancel(); }
