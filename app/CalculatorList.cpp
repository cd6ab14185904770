#include "app/CalculatorList.h"

// Calculators are added here as they are built.
void RunLevelCalculator() {}
void RunDelayCalculator() {}
void RunWaveCalculator() {}
