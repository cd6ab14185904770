#pragma once
// Every calculator of the program, in one list: what the chooser, the help
// pages, the install and the shared tests need to know of each. Adding a
// calculator adds one entry here (app/Calculators.cpp).

#include "framework/Dialog.h"

#include <memory>
#include <span>

struct Calculator {
    const char* name;        // how the chooser's button and the header read it; the tests' name for it
    const char* helpAnchor;  // its section of the help page, and its page sonavolta-<anchor>.html
    int templateId;          // IDD_...
    int titleId;             // IDS_...: the header's title
    int buttonId;            // IDC_...: its button in the chooser
    int buttonTextId;        // IDS_...: the text on that button
    int firstFieldId;        // the field that has the focus when it opens
    // Makes the calculator's dialog afresh; may throw what its making throws
    // (the Wave calculator a CFileException, when it cannot read its table).
    std::unique_ptr<CDialog> (*make)();
};

// In the chooser's template order, which is also its tab order.
std::span<const Calculator> Calculators();

// The calculator with that chooser button, or nullptr.
const Calculator* FindCalculatorByButton(int buttonId);

// Runs the calculator modally over the chooser; every run starts afresh.
void RunCalculator(const Calculator& calculator);

// For the install check (framework/TestHooks.h): makes the calculator whose
// help anchor is name as its button makes it, without running it, and prints
// "<name> opened" or the text of the error that kept it from opening. Any
// other name, or none, does nothing.
void ReportWhetherCalculatorOpens(const CString& name);
