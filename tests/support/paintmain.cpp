// Test runner of the programs that paint without a window (the plan on
// paper): a QGuiApplication, then GoogleTest. Off Windows it runs on the
// offscreen platform unless the caller chose another; Windows keeps its own
// platform, which opens no window either, since Qt's offscreen platform has
// no fonts there.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
