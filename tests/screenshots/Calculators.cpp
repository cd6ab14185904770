// Screenshots of the calculators, empty and with values typed.

#include "tests/screenshots/Screens.h"
#include "tests/support/DialogHarness.h"

using namespace testing_support;

void RenderCalculators() {}
