// zenthra: the transit program's window.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QStyleFactory>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "ScreenshotRun.h"
#include "calendar/Zone.h"
#include "store/QSettingsStore.h"
#include "support/ProgramFolder.h"
#include "ui/FrmMain.h"
#include "view/MainWindow.h"
#include "view/QtPlatform.h"

namespace {

constexpr int kExitNoDisplay = 1;
constexpr int kExitUsage = 2;

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

// The program's own options. Qt's (-platform, -style ...) are known only to QApplication,
// which takes them out of the arguments: --help and --version are answered before it exists,
// and the line is checked in full once it has taken its own.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help{{"h", "help"}, "Show this help and exit."};
    QCommandLineOption version{{"v", "version"}, "Show the program's version and exit."};
    // Used by scripts/screenshot.
    QCommandLineOption screenshot{"screenshot", "Make a run and save a picture of the window.",
                                  "FILE"};

    CommandLine() {
        parser.setApplicationDescription(
            "Lists planetary transits within nested orbs, in a window.\n"
            "The window's saved state is kept in $XDG_CONFIG_HOME/Varnholt/ZTA.ini\n"
            "(~/.config/Varnholt/ZTA.ini). From a console: zenthra-cli. See zenthra(1).");
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOptions({help, version, screenshot});
    }

    // Qt names the program by its path only once an application object exists.
    std::string HelpText() const {
        return parser.helpText()
            .replace(QStringLiteral("<executable_name>"), QStringLiteral("zenthra"))
            .toStdString();
    }

    // The usage error of the arguments left by QApplication, empty when there is none.
    QString Error() {
        if (!parser.parse(QCoreApplication::arguments())) {
            return parser.errorText();
        }
        const QStringList extra = parser.positionalArguments();
        return extra.isEmpty() ? QString() : "unexpected argument '" + extra.first() + "'";
    }
};

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// The desktop's icon theme has the installed icon; the build tree keeps the theme's layout
// beside the data folder, as an installation does.
QIcon WindowIcon() {
    const QString icons =
        QString::fromStdString(zenthra::ProgramDataFolder()) + "/../icons/hicolor/";
    QIcon fallback;
    for (const char* size : {"48x48", "256x256"}) {
        fallback.addFile(icons + size + "/apps/zenthra.png");
    }
    return QIcon::fromTheme(QStringLiteral("zenthra"), fallback);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zenthra;
    CommandLine line;
    line.parser.parse(Arguments(argc, argv));
    if (line.parser.isSet(line.help)) {
        std::cout << line.HelpText();
        return 0;
    }
    if (line.parser.isSet(line.version)) {
        std::cout << "zenthra " ZENTHRA_VERSION "\n" << TzDatabaseText();
        return 0;
    }
    if (!HasDisplay(argc, argv)) {
        std::cerr << "zenthra: no graphical display is available (neither DISPLAY nor "
                     "WAYLAND_DISPLAY is set).\n"
                     "Start Zenthra from a desktop session, or use zenthra-cli on a console.\n";
        return kExitNoDisplay;
    }
    QApplication application(argc, argv);
    if (const QString error = line.Error(); !error.isEmpty()) {
        std::cerr << "zenthra: " << error.toStdString() << "\nTry 'zenthra --help'.\n";
        return kExitUsage;
    }
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QStringLiteral(ZENTHRA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zenthra"));
    QApplication::setWindowIcon(WindowIcon());
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
    const std::string screenshot = line.parser.value(line.screenshot).toStdString();
    if (!screenshot.empty()) {
        ScheduleScreenshotRun(window, screenshot);
    }
    // The model outlives the event loop and is destroyed with this scope, which closes an
    // HTML output that a run still had open.
    return QApplication::exec();
}
