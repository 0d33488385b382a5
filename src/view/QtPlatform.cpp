#include "view/QtPlatform.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>

#include "calendar/CalendarLibrary.h"
#include "ui/FrmPopUp.h"
#include "view/PopUpWindow.h"
#include "view/TimelineWindow.h"

namespace zenthra {

namespace {

QString Trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed();
}

// Message texts end their lines with CR LF.
QString BoxText(const std::string& text) {
    return QString::fromStdString(text).remove(QLatin1Char('\r'));
}

QMessageBox::Icon QtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QScreen* ScreenOf(QWidget* window) {
    QScreen* screen = window != nullptr ? window->screen() : nullptr;
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

TwipScale ScaleOf(QScreen* screen) {
    return TwipScale(screen != nullptr ? screen->logicalDotsPerInchX() : 96);
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        patterns.removeAll(QString());
        filters << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    if (filters.isEmpty() && !Trimmed(filter).isEmpty()) {
        filters << Trimmed(filter);
    }
    return filters;
}

QtPlatform::QtPlatform(std::string programFolder) : programFolder(std::move(programFolder)) {}

void QtPlatform::SetOwner(QWidget* window, std::function<void()> refreshWindows) {
    owner = window;
    refresh = std::move(refreshWindows);
}

QWidget* QtPlatform::Owner() const {
    return owner != nullptr && owner->isVisible() ? owner : nullptr;
}

MsgAnswer QtPlatform::MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                             MsgButtons buttons) {
    QMessageBox box(Owner());
    box.setObjectName(QStringLiteral("MsgBox"));
    box.setTextFormat(Qt::PlainText);
    box.setText(BoxText(text));
    box.setIcon(QtIcon(icon));
    box.setWindowTitle(title.empty() ? QString::fromLatin1(kProgramName)
                                     : QString::fromStdString(title));
    if (buttons == MsgButtons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    box.exec();
    const auto* clicked = box.clickedButton();
    MsgAnswer answer = buttons == MsgButtons::YesNoCancel ? MsgAnswer::Cancel : MsgAnswer::Ok;
    if (clicked == box.button(QMessageBox::Yes)) {
        answer = MsgAnswer::Yes;
    } else if (clicked == box.button(QMessageBox::No)) {
        answer = MsgAnswer::No;
    }
    if (refresh) {
        refresh();
    }
    return answer;
}

std::optional<std::string> QtPlatform::ShowSave(const std::string& title, const std::string& filter,
                                                const std::string& defaultSuffix) {
    QFileDialog dialog(Owner(), QString::fromStdString(title));
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(QtNameFilters(filter));
    // Qt's own dialog adds the suffix before it checks for an existing file, so its question
    // names the file that would be replaced; a desktop's dialog may add it only afterwards.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setDefaultSuffix(QString::fromStdString(defaultSuffix));
    // A type chosen from the list gives a name typed without an ending that type's ending.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& chosen) {
                         static const QRegularExpression kEnding(QStringLiteral(R"(\*\.(\w+))"));
                         const QRegularExpressionMatch ending = kEnding.match(chosen);
                         if (ending.hasMatch()) {
                             dialog.setDefaultSuffix(ending.captured(1));
                         }
                     });
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("&Save"));
    std::string chosen;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        chosen = dialog.selectedFiles().constFirst().toStdString();
    }
    if (refresh) {
        refresh();
    }
    return chosen;
}

bool QtPlatform::OpenWithAssociatedProgram(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

Geometry QtPlatform::ScreenSize() {
    QScreen* screen = ScreenOf(owner);
    if (screen == nullptr) {
        return {0, 0, 0, 0};
    }
    const TwipScale scale = ScaleOf(screen);
    const QRect area = screen->geometry();
    return {0, 0, scale.Twips(area.width()), scale.Twips(area.height())};
}

void QtPlatform::ShowPopUp(FrmPopUp& notice) {
    {
        PopUpWindow window(notice, ScaleOf(ScreenOf(owner)), Owner());
        window.Run();
    }
    if (refresh) {
        refresh();
    }
}

void QtPlatform::YieldToEventLoop() {
    QCoreApplication::processEvents();
    if (refresh) {
        refresh();
    }
}

void QtPlatform::ShowTimeline(const TimelineSource& source) {
    auto* window = new TimelineWindow(source, *this, Owner());
    window->show();
}

int QtPlatform::CurrentYear() {
    return QDate::currentDate().year();
}

int32_t QtPlatform::ComputerTimezoneSecondsWest() {
    return GetTimezone();
}

void QtPlatform::EndProgram() {
    ending = true;
    QCoreApplication::exit(0);
}

}  // namespace zenthra
