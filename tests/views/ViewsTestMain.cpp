// One QApplication for the whole run, destroyed at the end so that the libraries it drew in
// (fonts) are released; without a display the tests use the offscreen platform (test
// discovery runs the program outside CTest's environment too).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
