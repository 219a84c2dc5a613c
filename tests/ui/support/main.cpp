// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests run real widgets on Qt's offscreen platform, with the
// settings in a folder of their own so that no test reads or writes the
// user's.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The offscreen platform cannot pass a fixed window size on to a window
// manager, and says so at every resize; nothing else is kept from the output.
QtMessageHandler defaultHandler = nullptr;
void Messages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support propagateSizeHints"))) return;
    defaultHandler(type, context, text);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (config.path() + "/data").toLocal8Bit());
    defaultHandler = qInstallMessageHandler(Messages);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
