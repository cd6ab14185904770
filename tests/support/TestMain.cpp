// main() for tests that need widgets: one QApplication for the whole run.

#include "framework/WinApp.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    AfxInitWindowStyle();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
