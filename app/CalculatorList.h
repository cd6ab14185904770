#pragma once
// Each runs one calculator modally over the chooser; every run starts afresh.

#include "framework/Core.h"

void RunLevelCalculator();
void RunDelayCalculator();
void RunWaveCalculator();

// For the install check (framework/TestHooks.h): makes the calculator named
// "wave" as its button makes it, without running it, and prints "wave
// opened" or the text of the error that kept it from opening. Any other
// name, or none, does nothing.
void ReportWhetherCalculatorOpens(const CString& name);
