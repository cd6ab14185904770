#include "framework/Controls.h"

#include "framework/Widgets_p.h"

#include <QStyle>
#include <QStyleOptionFrame>

namespace {

QLineEdit* Edit(QWidget* w) { return qobject_cast<QLineEdit*>(w); }

}  // namespace

void CEdit::GetSel(int& start, int& end) const
{
    start = end = 0;
    QLineEdit* e = Edit(GetSafeHwnd());
    if (!e)
        return;
    if (e->hasSelectedText()) {
        start = e->selectionStart();
        end = e->selectionEnd();
    } else {
        start = end = e->cursorPosition();
    }
}

void CEdit::SetSel(int start, int end)
{
    QLineEdit* e = Edit(GetSafeHwnd());
    if (!e)
        return;
    const int n = e->text().size();
    start = std::clamp(start, 0, n);
    end = std::clamp(end, 0, n);
    if (start == end)
        e->setCursorPosition(start);
    else
        e->setSelection(start, end - start);
}

void CEdit::ReplaceSel(const CString& text)
{
    if (QLineEdit* e = Edit(GetSafeHwnd()))
        e->insert(text);
}

void CEdit::SetReadOnly(bool readOnly)
{
    if (QLineEdit* e = Edit(GetSafeHwnd()))
        e->setReadOnly(readOnly);
}

bool CEdit::IsReadOnly() const
{
    QLineEdit* e = Edit(GetSafeHwnd());
    return e && e->isReadOnly();
}

void CEdit::SetProgramWritesNotify(bool notify)
{
    if (auto* edit = dynamic_cast<fw::EditWidget*>(GetSafeHwnd()))
        edit->programWritesNotify = notify;
}

bool CEdit::IsMultiLine() const
{
    auto* host = dynamic_cast<fw::ControlHost*>(GetSafeHwnd());
    return host && (host->templateStyle & res::ES_MULTILINE);
}

void CEdit::SetMargins(int left, int right)
{
    if (QLineEdit* e = Edit(GetSafeHwnd()))
        e->setTextMargins(left, 0, right, 0);
}

void CEdit::GetMargins(int& left, int& right) const
{
    left = right = 0;
    if (QLineEdit* e = Edit(GetSafeHwnd())) {
        const QMargins m = e->textMargins();
        left = m.left();
        right = m.right();
    }
}

CRect CEdit::GetRect() const
{
    QLineEdit* e = Edit(GetSafeHwnd());
    if (!e)
        return {};
    // The area inside the frame, less the margins, where the text is laid
    // out: the style draws the frame inside the widget's own rectangle, and
    // the line edit keeps a fixed gap of its own on either side of the text.
    QStyleOptionFrame frame;
    frame.initFrom(e);
    frame.rect = e->contentsRect();
    frame.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, e) : 0;
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    if (e->isReadOnly())
        frame.state |= QStyle::State_ReadOnly;
    constexpr int kLineEditGap = 2;
    const QRect r = e->style()
                        ->subElementRect(QStyle::SE_LineEditContents, &frame, e)
                        .marginsRemoved(e->textMargins())
                        .adjusted(kLineEditGap, 0, -kLineEditGap, 0);
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

bool CEdit::AcceptsEditedText(const CString&, const CString&) { return true; }

int CButton::GetCheck() const
{
    auto* b = qobject_cast<QAbstractButton*>(GetSafeHwnd());
    return b && b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int state)
{
    if (auto* b = qobject_cast<QAbstractButton*>(GetSafeHwnd()))
        b->setChecked(state != BST_UNCHECKED);
}

int CComboBox::GetCurSel() const
{
    auto* c = qobject_cast<QComboBox*>(GetSafeHwnd());
    return c ? c->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index)
{
    auto* c = dynamic_cast<fw::ComboWidget*>(GetSafeHwnd());
    if (!c || index < -1 || index >= c->count())
        return CB_ERR;
    c->SetCurrentFromProgram(index);
    return index;
}

int CComboBox::GetCount() const
{
    auto* c = qobject_cast<QComboBox*>(GetSafeHwnd());
    return c ? c->count() : 0;
}

int CComboBox::AddString(const CString& text)
{
    auto* c = dynamic_cast<fw::ComboWidget*>(GetSafeHwnd());
    if (!c)
        return CB_ERR;
    const bool wasEmpty = c->count() == 0;
    c->addItem(text);
    // A list starts with nothing selected.
    if (wasEmpty)
        c->SetCurrentFromProgram(-1);
    return c->count() - 1;
}

CString CComboBox::GetLBText(int index) const
{
    auto* c = qobject_cast<QComboBox*>(GetSafeHwnd());
    return c ? c->itemText(index) : CString();
}
