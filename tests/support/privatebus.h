#pragma once

// The private buses live in tools/common (the demo starts them too); the test
// mains that set them up before QApplication exists are here.
#include "devbus/privatebus.h"

#include <QApplication>
#include <QtTest>

// Like QTEST_MAIN, but the private buses and the temporary home are set up
// before QApplication exists and torn down after it is gone.
#define VELIN_TEST_MAIN_WITH_BUS(TestObject)                                   \
    int main(int argc, char* argv[])                                           \
    {                                                                          \
        PrivateBus velinPrivateBus;                                            \
        if (!velinPrivateBus.start()) {                                        \
            qCritical("cannot start the private D-Bus daemons");               \
            return 1;                                                          \
        }                                                                      \
        QTEST_MAIN_IMPL(TestObject)                                            \
    }

// The same for suites that need no QApplication.
#define VELIN_TEST_GUILESS_MAIN_WITH_BUS(TestObject)                           \
    int main(int argc, char* argv[])                                           \
    {                                                                          \
        PrivateBus velinPrivateBus;                                            \
        if (!velinPrivateBus.start()) {                                        \
            qCritical("cannot start the private D-Bus daemons");               \
            return 1;                                                          \
        }                                                                      \
        QCoreApplication app(argc, argv);                                      \
        TestObject tc;                                                         \
        QTEST_SET_MAIN_SOURCE_PATH                                             \
        return QTest::qExec(&tc, argc, argv);                                  \
    }
