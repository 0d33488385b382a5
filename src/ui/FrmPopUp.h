// The timed notice as a model: a small window with one line of text that blocks its caller
// until its timer runs out or the user clicks it. The platform shows it and drives its timer.
#pragma once

#include <cstdint>
#include <string>

#include "ui/Controls.h"

namespace zenthra {

class Platform;

struct Timer {
    int32_t interval = 0;  // milliseconds
    bool enabled = false;
};

class FrmPopUp {
  public:
    // `mainWindow` is the geometry of the window the notices are placed in.
    FrmPopUp(Platform& platform, const Geometry& mainWindow);

    FrmPopUp(const FrmPopUp&) = delete;
    FrmPopUp& operator=(const FrmPopUp&) = delete;

    Geometry geometry{0, 0, 1200, 300};
    bool visible = false;
    Control lblMessage;
    Timer Timer1;

    // Sizes and positions in twips, relative to the main window; intervals in milliseconds.
    // Each returns once the notice has closed.
    void PopUp2(const std::string& strMessage, int intWidth, int intHeight, int16_t intInterval,
                int intTop, int intLeft);
    void PopUp(const std::string& strMessage, int intWidth, int intHeight, int16_t intInterval,
               int intTop, int intLeft);
    void PopUpCenter(const std::string& strMessage, int intWidth, int intHeight,
                     int16_t intInterval);
    void PopUpInForm(const Geometry& frmMe, const std::string& strMessage, int intWidth,
                     int intHeight, int16_t intInterval, int intTop, int intLeft);
    void PopUpInForm2(const Geometry& frmMe, const std::string& strMessage, int intWidth,
                      int intHeight, int32_t lngInterval, int intTop, int intLeft);

    // Either ends the notice: the timer's tick or a click on its text.
    void Timer1_Timer();
    void lblMessage_MouseUp();

  private:
    void Close();

    Platform& platform;
    const Geometry& mainWindow;
};

}  // namespace zenthra
