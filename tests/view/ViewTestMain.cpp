// The widget tests run on Qt's offscreen platform: no display is needed, also when the test
// list is read at build time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform says, for every window, what a real one would do that it cannot.
void QuietAboutTheOffscreenPlatform(QtMsgType type, const QMessageLogContext& context,
                                    const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) {
        return;
    }
    if (standardHandler != nullptr) {
        standardHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

}  // namespace

int main(int argc, char** argv) {
    standardHandler = qInstallMessageHandler(QuietAboutTheOffscreenPlatform);
    // The offscreen platform's own screen is 800 pixels square, narrower than the window; a
    // common desktop screen gives a maximised window room around its layout.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" ZENTHRA_VIEW_SCREEN_CONFIG);
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
