// Screenshots of the calculators, empty and with values typed: each in the
// list's order, as its own test folder renders it.

#include "app/Calculators.h"
#include "tests/screenshots/Screens.h"
#include "tests/support/CalculatorTests.h"

#include <QTextStream>

void RenderCalculators()
{
    for (const Calculator& c : Calculators()) {
        const calculator_tests::Expectations* expectations = calculator_tests::Find(c.name);
        if (!expectations || !expectations->screenshots) {
            QTextStream(stderr) << "calculator " << c.name << ": no screenshots registered (tests/" << c.helpAnchor
                                << "/)\n";
            continue;
        }
        (*expectations->screenshots)(c, SaveScreen);
    }
}
