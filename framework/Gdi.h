#pragma once
// Drawing: a paint context over QPainter with what the dialogs draw: text in
// a box, one-pixel lines, ellipses, solid fills, fonts with another weight.

#include "framework/Core.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <memory>

class QPainter;
class QWidget;
class CWnd;

struct CRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class CGdiObject {
public:
    virtual ~CGdiObject() = default;
    bool IsValid() const { return m_valid; }
    void DeleteObject() { m_valid = false; }

protected:
    bool m_valid = false;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    bool CreateSolidBrush(COLORREF color);
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color = 0;
};

constexpr int PS_SOLID = 0;

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    bool CreatePen(int style, int width, COLORREF color);
    COLORREF GetColor() const { return m_color; }
    int GetWidth() const { return m_width; }

private:
    COLORREF m_color = 0;
    int m_width = 1;
};

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

// The description of a font: its face and size stay as they are when only
// the weight is changed.
struct LOGFONT {
    int lfWeight = FW_NORMAL;
    QFont font;  // everything else about the font
};

class CFont : public CGdiObject {
public:
    bool CreateFontIndirect(const LOGFONT* logFont);
    int GetLogFont(LOGFONT* logFont) const;
    const QFont& Font() const { return m_font; }
    void Attach(const QFont& font);

private:
    QFont m_font;
};

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text drawing flags.
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;

class CDC {
public:
    // A context that draws nowhere (control-colour requests get one).
    CDC() = default;
    virtual ~CDC();

    // The width of the screen the dialog fills, in pixels.
    int GetScreenWidth() const;
    CFont* GetCurrentFont();
    CFont* SelectObject(CFont* font);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }
    COLORREF SetBkColor(COLORREF color);

    int DrawText(const CString& text, const CRect& rect, UINT format);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // The ellipse inscribed in the box, outlined with the current pen and
    // filled with the current brush. A box whose corners cross draws nothing.
    void Ellipse(int left, int top, int right, int bottom);
    void FillSolidRect(const CRect& rect, COLORREF color);
    // Width and height of a text in the current font.
    void GetTextExtent(const CString& text, int* width, int* height) const;

protected:
    void Begin(QPainter* painter, QWidget* device);

private:
    QPainter* m_painter = nullptr;
    QWidget* m_device = nullptr;
    CFont m_defaultFont;
    CPen m_defaultPen {PS_SOLID, 1, RGB(0, 0, 0)};
    CBrush m_defaultBrush {RGB(255, 255, 255)};
    CFont* m_font = nullptr;
    CPen* m_pen = nullptr;
    CBrush* m_brush = nullptr;
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
    int m_x = 0, m_y = 0;
};

// The paint context of one paint of a window; only valid inside its OnPaint.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
};

// A context for measuring text in a window outside painting.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;
};

QColor ToQColor(COLORREF color);
