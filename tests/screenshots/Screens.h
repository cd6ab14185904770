#pragma once
// Each calculator's screenshots; Screenshots.cpp calls these.

#include "framework/Dialog.h"

void SaveScreen(CDialog& dlg, const QString& name);
void RenderCalculators();
