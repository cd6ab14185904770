#include "widgets/ResultField.h"

// Before CNumEdit's own entry: the result's rule replaces the entry field's.
BEGIN_MESSAGE_MAP(CResultField, CNumEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillFocus)
END_MESSAGE_MAP()

void CResultField::OnKillFocus()
{
    CString text = GetWindowText();
    if (!text.isEmpty())
        SetWindowText(FormatFixed(ParseValue(text)));
}
