#pragma once
// CResultField: a read-only field that shows one of a calculator's results.
// It formats and reads numbers as the entry field does, and like it swallows
// Enter and Delete, but it takes no input and has none of the entry field's
// focus-loss rewrite (display mode, text mode, range): a result tapped and
// left shows its number in fixed form, so a rounded result gains its
// decimals ("500" becomes "500.0000").

#include "widgets/NumEdit.h"

class CResultField : public CNumEdit {
protected:
    void OnKillFocus();

    DECLARE_MESSAGE_MAP()
};
