#include "widgets/NumEdit.h"

#include "framework/Text.h"
#include "framework/WinApp.h"

namespace {

constexpr char32_t kBackspace = 8;

// Spaces a locale may group digits with; a user types a plain space for any.
bool IsSpaceLike(QChar c) { return c == QChar(0x20) || c == QChar(0xA0) || c == QChar(0x202F) || c == QChar(0x2009); }

CString CharText(char32_t ch) { return ch == kBackspace ? CString() : CString::fromUcs4(&ch, 1); }

}  // namespace

BEGIN_MESSAGE_MAP(CNumEdit, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillFocus)
    ON_WM_CHAR()
END_MESSAGE_MAP()

CNumEdit::CNumEdit() : m_decimalSep(GetUserDecimalSeparator()), m_thousandSep(GetUserThousandsSeparator())
{
    // A locale without a decimal separator still needs one to show decimals.
    if (m_decimalSep.isEmpty())
        m_decimalSep = CString(".");
}

CNumEdit::~CNumEdit() = default;

bool CNumEdit::IsDecimalSeparator(QChar c) const { return !m_decimalSep.isEmpty() && c == m_decimalSep.at(0); }

bool CNumEdit::IsThousandsSeparator(QChar c) const
{
    if (m_thousandSep.isEmpty())
        return false;
    const QChar sep = m_thousandSep.at(0);
    return c == sep || (IsSpaceLike(sep) && IsSpaceLike(c));
}

CString CNumEdit::FormatFixed(double value) const
{
    CString text = FormatFixedC(value, m_precision);
    text.replace(QChar('.'), m_decimalSep.at(0));
    return text;
}

CString CNumEdit::FormatInteger(int value) const { return FormatIntegerC(value); }

CString CNumEdit::FormatExponent(double value) const
{
    CString text = FormatExponentC(value);
    text.replace(QChar('.'), m_decimalSep.at(0));
    return text;
}

CString CNumEdit::FormatFixedInRange(double value) const
{
    CString text = FormatFixed(value);
    // A value too small for the field's decimals keeps as many as it needs,
    // rather than turning into a text the field would refuse.
    if (!InRange(text) && ValueInRange(value)) {
        text = FormatShortestFixedC(value, m_precision);
        text.replace(QChar('.'), m_decimalSep.at(0));
    }
    return text;
}

double CNumEdit::ParseValue(CString& text) const
{
    CString cleaned;
    cleaned.reserve(text.size());
    for (QChar c : text) {
        if (IsThousandsSeparator(c))
            continue;
        // Both '.' and ',' read as the decimal point; so does the user's own
        // separator where it is neither.
        cleaned.append(c == QChar(',') || IsDecimalSeparator(c) ? QChar('.') : c);
    }
    text = cleaned;
    return StringToDouble(text);
}

int CNumEdit::ParseInteger(CString& text) const
{
    CString cleaned;
    cleaned.reserve(text.size());
    for (QChar c : text) {
        if (!IsThousandsSeparator(c))
            cleaned.append(c);
    }
    text = cleaned;
    return StringToInt(text);
}

CString CNumEdit::ProspectiveText(const CString& s, int start, int end, char32_t ch)
{
    const int n = s.size();
    start = std::clamp(start, 0, n);
    end = std::clamp(end, start, n);
    const CString ins = CharText(ch);
    const bool backspace = ch == kBackspace;
    if (start != end)
        return s.left(start) + ins + s.right(n - end);
    if (start == n)
        return backspace ? s.left(n - 1) : s + ins;
    if (start == 0)
        return backspace ? s : ins + s;
    return backspace ? s.left(start - 1) + s.right(n - start) : s.left(start) + ins + s.right(n - start);
}

bool CNumEdit::ValueInRange(double value) const
{
    const double v = value * m_scale;
    if (m_checkMax && v > m_max)
        return false;
    if (m_checkMin && v < m_min)
        return false;
    return true;
}

bool CNumEdit::InRange(const CString& text) const
{
    if (text.isEmpty())
        return true;
    CString t = text;
    return ValueInRange(ParseValue(t));
}

bool CNumEdit::PassesClassTest(char32_t ch, const CString& text) const
{
    const CString c = CharText(ch);
    if (c == m_decimalSep) {
        // One decimal separator, and never as the first key into an empty field.
        return !text.isEmpty() && !text.contains(m_decimalSep);
    }
    if (ch == kBackspace || (ch >= '0' && ch <= '9') || ch == '-')
        return true;
    return c.size() == 1 && IsThousandsSeparator(c.at(0)) && (c == m_thousandSep || IsSpaceLike(c.at(0)));
}

bool CNumEdit::AcceptsKey(const CString& text, int start, int end, char32_t ch) const
{
    const CString t = ProspectiveText(text, start, end, ch);
    if (m_textMode)
        return ch == kBackspace || t.size() <= kTextModeLength;
    return PassesClassTest(ch, text) && InRange(t);
}

void CNumEdit::OnChar(UINT nChar, UINT, UINT)
{
    const CString s = GetWindowText();
    int start = 0, end = 0;
    GetSel(start, end);
    if (AcceptsKey(s, start, end, char32_t(nChar))) {
        Default();
        Invalidate(true);
        return;
    }
    // Refused: the text stays as it was, the caret goes to where the
    // selection began.
    SetWindowText(s);
    SetSel(start, start);
}

CString CNumEdit::DisplayForm(CString s) const
{
    if (s.isEmpty() || m_textMode)
        return s;
    const CString typed = s;
    switch (m_displayMode) {
    case DisplayFixed: s = FormatFixedInRange(ParseValue(s)); break;
    case DisplayInteger: s = FormatInteger(ParseInteger(s)); break;
    case DisplayExponent: s = FormatExponent(ParseValue(s)); break;
    default: break;
    }
    // A rewrite never leaves the range the text was in.
    if (!InRange(s) && InRange(typed))
        return typed;
    return s;
}

void CNumEdit::OnKillFocus()
{
    const CString s = GetWindowText();
    if (s.isEmpty() || m_textMode)
        return;
    SetWindowText(DisplayForm(s));
}

bool CNumEdit::PreTranslateMessage(MSG* msg)
{
    // Enter neither inserts nor closes the dialog; Delete deletes nothing.
    return msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_DELETE);
}

bool CNumEdit::AcceptsEditedText(const CString& oldText, const CString& newText)
{
    if (m_textMode)
        return newText.size() <= kTextModeLength;
    // The edit replaced one stretch of the old text by what it brings; the
    // rest stands as it was. (Half a surrogate pair brought is no character
    // the filter takes.)
    const qsizetype oldSize = oldText.size();
    const qsizetype newSize = newText.size();
    qsizetype head = 0;
    while (head < oldSize && head < newSize && oldText.at(head) == newText.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < oldSize - head && tail < newSize - head
           && oldText.at(oldSize - 1 - tail) == newText.at(newSize - 1 - tail))
        ++tail;
    // Typed over the replaced stretch, key by key, the characters brought
    // must each pass the key filter, as it judges the text at that key: the
    // old text, the stretch still selected, for the first. The characters
    // already in the field are not judged again.
    const CString brought = newText.mid(head, newSize - head - tail);
    qsizetype typed = 0;
    for (const char32_t ch : brought.toUcs4()) {
        const CString textBefore =
            typed == 0 ? oldText : oldText.left(head) + brought.left(typed) + oldText.right(tail);
        if (ch == kBackspace || !PassesClassTest(ch, textBefore))
            return false;
        typed += CharText(ch).size();
    }
    return InRange(newText);
}
