#pragma once
// Each runs one calculator modally over the chooser; every run starts afresh.

void RunLevelCalculator();
void RunDelayCalculator();
void RunWaveCalculator();
