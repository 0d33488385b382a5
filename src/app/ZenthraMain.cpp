// zenthra: the transit program's window.
#include <QApplication>
#include <QStyleFactory>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "ScreenshotRun.h"
#include "store/QSettingsStore.h"
#include "support/ProgramFolder.h"
#include "ui/FrmMain.h"
#include "view/MainWindow.h"
#include "view/QtPlatform.h"

namespace {

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Without a display Qt would end the program with a message about plug-ins; say plainly
// what is missing instead.
bool HasDisplay(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 ||
            std::strncmp(argv[i], "-platform=", 10) == 0) {
            return true;
        }
    }
    return Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

// The hidden option of scripts/screenshot.
std::string ScreenshotPath(int argc, char** argv) {
    const std::string option = "--screenshot=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], option.c_str(), option.size()) == 0) {
            return argv[i] + option.size();
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zenthra;
    if (!HasDisplay(argc, argv)) {
        std::cerr << "zenthra: no graphical display is available (neither DISPLAY nor "
                     "WAYLAND_DISPLAY is set).\n"
                     "Start Zenthra from a desktop session, or use zenthra-cli on a console.\n";
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QStringLiteral("2.38"));
    // One look on every desktop: the window's colours and twips layout are its own.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The model decides when the program ends (Quit, or closing the window and not
    // cancelling), not the closing of a last window.
    QApplication::setQuitOnLastWindowClosed(false);

    QtPlatform platform(ProgramDataFolder());
    QSettingsStore store;
    FrmMain model(platform, OutputPane::kWindowCapacity, &store);
    MainWindow window(model);
    platform.SetOwner(&window, [&window] { window.Refresh(); });
    model.Form_Load();
    window.Refresh();
    if (platform.Ending()) {
        return 0;
    }
    const std::string screenshot = ScreenshotPath(argc, argv);
    if (!screenshot.empty()) {
        ScheduleScreenshotRun(window, screenshot);
    }
    // The model outlives the event loop and is destroyed with this scope, which closes an
    // HTML output that a run still had open.
    return QApplication::exec();
}
