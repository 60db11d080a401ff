// Test main: a QApplication on the offscreen platform, so widget tests run headless.

#include "SoundDevice.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvi"));
    // No test plays on the machine's sound card: the window's sounds go to a tape nobody reads.
    const TSoundDeviceOverride quiet([] {
        return std::make_unique<TRecordingDevice>(std::make_shared<TRecordingDevice::TTape>());
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
