// The window model's platform on the desktop: Qt message boxes, the file chooser, the
// desktop's associated programs, the screen, the timed notice and the event loop.
#pragma once

#include <QStringList>
#include <functional>
#include <string>

#include "ui/Platform.h"

class QWidget;

namespace zenthra {

class QtPlatform : public Platform {
  public:
    explicit QtPlatform(std::string programFolder);

    // The window that boxes and dialogs belong to, and what brings the windows up to date
    // after a yield or a notice. Both may be left unset.
    void SetOwner(QWidget* window, std::function<void()> refresh);

    // A modal box with the text, icon and title given; an empty title gives the program's
    // name. Yes/No/Cancel boxes default to No, and Escape answers Cancel.
    MsgAnswer MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                     MsgButtons buttons) override;

    // A Save dialog: the default suffix is added to a name typed without one, and the dialog
    // asks before naming an existing file, under the name it will have. Cancelling gives the
    // empty text.
    std::optional<std::string> ShowSave(const std::string& title, const std::string& filter,
                                        const std::string& defaultSuffix) override;

    bool OpenWithAssociatedProgram(const std::string& path) override;
    Geometry ScreenSize() override;
    void ShowPopUp(FrmPopUp& notice) override;
    void YieldToEventLoop() override;
    // A window of its own beside the main window, not modal.
    void ShowTimeline(const TimelineSource& source) override;
    std::string ProgramFolder() override { return programFolder; }
    int CurrentYear() override;
    int32_t ComputerTimezoneSecondsWest() override;

    // Leaves the event loop once the running handler has returned to it. The windows are not
    // closed one by one, which would ask the quit question again.
    void EndProgram() override;
    bool Ending() const { return ending; }

  private:
    QWidget* Owner() const;

    std::string programFolder;
    QWidget* owner = nullptr;
    std::function<void()> refresh;
    bool ending = false;
};

// The program's name, the title of a box whose title is empty.
inline constexpr const char* kProgramName = "Zenthra";

// A file filter of pairs "description | patterns", the patterns separated by ";", as Qt's
// name filters: "Text files *.txt | *.txt" gives "Text files *.txt (*.txt)".
QStringList QtNameFilters(const std::string& filter);

}  // namespace zenthra
