#pragma once
// CNumEdit: the entry field every number of every calculator goes through.
// It refuses keys that would make its number invalid or out of range,
// rewrites its text in a canonical form when it loses the focus, swallows
// Enter and Delete, and converts between text and number with the user's
// separators.

#include "framework/Controls.h"

class CNumEdit : public CEdit {
public:
    enum DisplayMode { DisplayFixed = 0, DisplayInteger = 1, DisplayExponent = 2 };

    CNumEdit();
    ~CNumEdit() override;

    // Number to text: fixed form with m_precision decimals, "%d", "%e"; the
    // decimal point is the user's.
    CString FormatFixed(double value) const;
    CString FormatInteger(int value) const;
    CString FormatExponent(double value) const;
    // FormatFixed, except that a value in range whose fixed form would read
    // outside it (0.0001 with two decimals) keeps the decimals it needs: the
    // text leaving the field shows for the value.
    CString FormatFixedInRange(double value) const;
    // Text to number. The text is left with its separators normalised.
    double ParseValue(CString& text) const;
    int ParseInteger(CString& text) const;

    // The key filter's decision, without a window: would the field, holding
    // text with the selection [start, end), accept the character ch?
    bool AcceptsKey(const CString& text, int start, int end, char32_t ch) const;
    // The text the field would hold after the key.
    static CString ProspectiveText(const CString& text, int start, int end, char32_t ch);
    // Empty, or a number that times m_scale lies in the range.
    bool InRange(const CString& text) const;
    // The text in the field's display form, as leaving the field rewrites it;
    // an empty text and any text in text mode stay as they are. A text in
    // range stays in range: a value too small for m_precision decimals keeps
    // the decimals it needs, and a form that would still leave the range is
    // not taken.
    CString DisplayForm(CString text) const;

    bool PreTranslateMessage(MSG* msg) override;
    // An edit that no typed key made (paste, drop, undo, the field's menu, a
    // screen reader) is taken as the same edit typed: each character it
    // brings must pass the key filter, and the text it leaves the range test.
    bool AcceptsEditedText(const CString& oldText, const CString& newText) override;

    CString m_decimalSep;
    CString m_thousandSep;
    double m_max = 10000000.0;
    double m_min = -10000000.0;
    bool m_checkMax = true;
    bool m_checkMin = true;
    int m_displayMode = DisplayFixed;
    double m_scale = 1.0;
    int m_precision = 4;
    bool m_textMode = false;  // any character, at most kTextModeLength of them, no rewrite

    static constexpr int kTextModeLength = 3;

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus();

    DECLARE_MESSAGE_MAP()

private:
    bool IsDecimalSeparator(QChar c) const;
    bool IsThousandsSeparator(QChar c) const;
    bool ValueInRange(double value) const;
    bool PassesClassTest(char32_t ch, const CString& text) const;
};
