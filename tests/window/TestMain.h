#pragma once

#include "Application.h"

#include <QTest>

// Runs a Qt Test class under the program's own application object, so that key presses
// reach the window's key preview and errors the error handler, as in the program.
#define HITWISE_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char** argv) {                                                              \
        Application app(argc, argv);                                                               \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
