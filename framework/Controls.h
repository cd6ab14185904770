#pragma once
// The controls the dialogs use: edit, button and check box, combo box, static.

#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end);
    void ReplaceSel(const CString& text);
    void SetReadOnly(bool readOnly = true);
    bool IsReadOnly() const;
    // True for a field created with the multi-line style.
    bool IsMultiLine() const;
    // Whether the program's own writes (SetWindowText) raise EN_CHANGE, as
    // every edit of the user's does: every write, even of the same text, or
    // none. A dialog whose handlers write fields says which it needs; left
    // unsaid, a single-line field's writes do and a multi-line one's do not.
    void SetProgramWritesNotify(bool notify);
    // Margins, in pixels, between the field's frame and its text.
    void SetMargins(int left, int right);
    void GetMargins(int& left, int& right) const;
    // The formatting rectangle: the area the text is laid out in.
    CRect GetRect() const;

    // Asked for every change that did not come through a typed character
    // or the program (paste, drop, undo, redo, word deletion, the field's
    // menu, input methods, screen readers): false refuses the change whole
    // and the field keeps its text and selection. A read-only field takes no
    // such change, and one without the focus takes the focus first.
    virtual bool AcceptsEditedText(const CString& oldText, const CString& newText);
};

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int state);
};

constexpr int CB_ERR = -1;

class CComboBox : public CWnd {
public:
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetCount() const;
    int AddString(const CString& text);
    CString GetLBText(int index) const;
};

class CStatic : public CWnd {};
