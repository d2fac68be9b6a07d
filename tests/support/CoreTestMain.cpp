#include <QGuiApplication>
#include <gtest/gtest.h>

#include "base/ProcessEnvironment.h"

int main(int argc, char** argv)
{
    prepareProcessEnvironment();
    // Without a platform Qt aborts; discovery runs without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
