#pragma once
// The framework tests' own resources: two small templates with just the
// controls the tests need, so the framework is tested apart from the
// program's dialogs. TestResources.cpp holds the data.

#include "framework/Ids.h"

// A multi-line input field, then a check box: the next tab stop after it.
constexpr int IDD_FIELD_AND_CHECK = 200;
constexpr int IDC_FIELD = 1001;
constexpr int IDC_CHECK = 1002;

// Three multi-line input fields, then a single-line one, in tab order.
constexpr int IDD_FIELDS = 201;
constexpr int IDC_MULTI = 1011;
constexpr int IDC_MULTI2 = 1012;
constexpr int IDC_MULTI3 = 1013;
constexpr int IDC_SINGLE = 1014;

// The program's name in the tests' string table.
constexpr const char* kTestAppTitle = "Framework Test";
