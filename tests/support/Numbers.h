#pragma once
// Numbers in the user's form, as every field shows them: the user's decimal
// separator where the test writes '.'.

#include "widgets/NumEdit.h"

#include <QString>

namespace testing_support {

// The user's decimal separator, as every field shows it.
inline QString Sep() { return CNumEdit().m_decimalSep; }

// A number text written with '.', in the user's form: "774.5967".
inline QString Local(const char* number) { return QString::fromLatin1(number).replace(QLatin1Char('.'), Sep()); }

}  // namespace testing_support
