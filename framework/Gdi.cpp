#include "framework/Gdi.h"

#include "framework/Widgets_p.h"
#include "framework/Wnd.h"

#include <QFontMetrics>
#include <QPainter>

QColor ToQColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

bool CBrush::CreateSolidBrush(COLORREF color)
{
    m_color = color;
    m_valid = true;
    return true;
}

bool CPen::CreatePen(int, int width, COLORREF color)
{
    m_color = color;
    m_width = width < 1 ? 1 : width;
    m_valid = true;
    return true;
}

bool CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    m_font = logFont->font;
    // Weights 100..900 as the platform counts them; Qt's scale is the same.
    m_font.setWeight(QFont::Weight(std::clamp(logFont->lfWeight, 100, 900)));
    m_valid = true;
    return true;
}

int CFont::GetLogFont(LOGFONT* logFont) const
{
    logFont->font = m_font;
    logFont->lfWeight = m_font.weight();
    return 1;
}

void CFont::Attach(const QFont& font)
{
    m_font = font;
    m_valid = true;
}

CDC::~CDC() = default;

void CDC::Begin(QPainter* painter, QWidget* device)
{
    m_painter = painter;
    m_device = device;
    m_defaultFont.Attach(device ? device->font() : QFont());
    m_font = &m_defaultFont;
    m_pen = &m_defaultPen;
    m_brush = &m_defaultBrush;
}

int CDC::GetScreenWidth() const { return m_device ? m_device->width() : 0; }

CFont* CDC::GetCurrentFont() { return m_font ? m_font : &m_defaultFont; }

CFont* CDC::SelectObject(CFont* font)
{
    CFont* previous = GetCurrentFont();
    m_font = font;
    return previous;
}

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* previous = m_pen ? m_pen : &m_defaultPen;
    m_pen = pen;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* previous = m_brush ? m_brush : &m_defaultBrush;
    m_brush = brush;
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    const COLORREF previous = m_textColor;
    m_textColor = color;
    return previous;
}

int CDC::SetBkMode(int mode)
{
    const int previous = m_bkMode;
    m_bkMode = mode;
    return previous;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    const COLORREF previous = m_bkColor;
    m_bkColor = color;
    return previous;
}

int CDC::DrawText(const CString& text, const CRect& rect, UINT format)
{
    const QFont& font = GetCurrentFont()->Font();
    const QFontMetrics metrics(font);
    if (!m_painter)
        return metrics.height();
    const QRect box(rect.left, rect.top, rect.Width(), rect.Height());
    int flags = Qt::TextSingleLine;
    flags |= (format & DT_CENTER) ? Qt::AlignHCenter : (format & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    flags |= (format & DT_VCENTER) ? Qt::AlignVCenter : Qt::AlignTop;

    m_painter->save();
    if (!(format & DT_NOCLIP))
        m_painter->setClipRect(box);
    m_painter->setFont(font);
    // An opaque background fills the cells the text takes.
    const QRect cells = m_painter->boundingRect(box, flags, text);
    if (m_bkMode == OPAQUE)
        m_painter->fillRect(cells, ToQColor(m_bkColor));
    m_painter->setPen(ToQColor(m_textColor));
    m_painter->drawText(box, flags, text);
    m_painter->restore();
    return cells.height();
}

void CDC::MoveTo(int x, int y)
{
    m_x = x;
    m_y = y;
}

void CDC::LineTo(int x, int y)
{
    if (m_painter) {
        const CPen* pen = m_pen ? m_pen : &m_defaultPen;
        // One-pixel lines end before their last point, as the platform draws them.
        m_painter->save();
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setPen(Qt::NoPen);
        const QColor color = ToQColor(pen->GetColor());
        if (y == m_y) {
            const int left = std::min(m_x, x), right = std::max(m_x, x);
            m_painter->fillRect(QRect(left, y, right - left, pen->GetWidth()), color);
        } else if (x == m_x) {
            const int top = std::min(m_y, y), bottom = std::max(m_y, y);
            m_painter->fillRect(QRect(x, top, pen->GetWidth(), bottom - top), color);
        } else {
            m_painter->setPen(QPen(color, pen->GetWidth()));
            m_painter->drawLine(m_x, m_y, x, y);
        }
        m_painter->restore();
    }
    m_x = x;
    m_y = y;
}

void CDC::Ellipse(int left, int top, int right, int bottom)
{
    if (!m_painter || right <= left || bottom <= top)
        return;
    const CPen* pen = m_pen ? m_pen : &m_defaultPen;
    const CBrush* brush = m_brush ? m_brush : &m_defaultBrush;
    m_painter->save();
    // A plain one-pixel outline, not antialiased, which Qt fills scanline by
    // scanline at a fraction of the cost of a path. Qt's outline of a
    // rectangle covers its right and bottom edges; the box's lie outside.
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setBrush(ToQColor(brush->GetColor()));
    m_painter->setPen(QPen(ToQColor(pen->GetColor()), pen->GetWidth()));
    m_painter->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    m_painter->restore();
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color)
{
    if (m_painter)
        m_painter->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToQColor(color));
}

void CDC::GetTextExtent(const CString& text, int* width, int* height) const
{
    const QFontMetrics metrics(m_font ? m_font->Font() : (m_device ? m_device->font() : QFont()));
    if (width)
        *width = metrics.horizontalAdvance(text);
    if (height)
        *height = metrics.height();
}

CPaintDC::CPaintDC(CWnd* wnd)
{
    QWidget* widget = wnd ? wnd->GetSafeHwnd() : nullptr;
    auto* dialog = dynamic_cast<fw::DialogWidget*>(widget);
    Begin(dialog ? dialog->currentPainter : nullptr, widget);
}

CPaintDC::~CPaintDC() = default;

CClientDC::CClientDC(CWnd* wnd) { Begin(nullptr, wnd ? wnd->GetSafeHwnd() : nullptr); }

CClientDC::~CClientDC() = default;
