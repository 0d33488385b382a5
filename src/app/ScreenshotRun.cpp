#include "ScreenshotRun.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "calendar/Timezones.h"
#include "support/SafeFile.h"
#include "view/MainWindow.h"

namespace zenthra {

namespace {

constexpr int kBirthHourTwelve = 13;  // after the empty entry
constexpr int kBirthMinuteZero = 1;
constexpr int kPatienceMs = 120000;

constexpr int kExitNoWindow = 3;
constexpr int kExitNotWritten = 4;

void Fail(const char* why, int status) {
    std::fprintf(stderr, "zenthra: %s\n", why);
    std::fflush(stderr);
    // A box left open by the run would hold the event loop forever.
    std::_Exit(status);
}

void RunAndTakePicture(MainWindow& window, const std::string& pngPath) {
    if (!window.isVisible()) {
        Fail("the window did not come up", kExitNoWindow);
    }
    FrmMain& m = window.Model();
    // The birth data, as typed into the window.
    const auto type = [](Control& field, std::string text) { field.text = std::move(text); };
    type(m.txbYear[2], "1990");
    type(m.txbMonth[2], "6");
    type(m.txbDay[2], "15");
    m.txbDay_LostFocus(2);
    m.cboHour.SetListIndex(kBirthHourTwelve);
    m.cboMinute.SetListIndex(kBirthMinuteZero);
    m.cboTimezone[1].SetListIndex(kGreenwichIndex);
    window.Refresh();
    static_cast<QPushButton*>(window.WidgetOf(m.cmdStart))->click();
    QApplication::processEvents();
    window.Refresh();
    const QPixmap picture = window.grab();
    QByteArray png;
    QBuffer buffer(&png);
    if (picture.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG") ||
        !WriteWholeFile(pngPath, std::string_view(png.constData(), png.size())).empty()) {
        Fail("the picture of the window could not be written", kExitNotWritten);
    }
    std::printf("Wrote %s (%dx%d)\n", pngPath.c_str(), picture.width(), picture.height());
    QCoreApplication::exit(0);
}

}  // namespace

void ScheduleScreenshotRun(MainWindow& window, const std::string& pngPath) {
    QTimer::singleShot(kPatienceMs, [] { Fail("the scripted run did not finish", kExitNoWindow); });
    QTimer::singleShot(0, &window, [&window, pngPath] { RunAndTakePicture(window, pngPath); });
}

}  // namespace zenthra
