#include "ui/FrmPopUp.h"

#include <cmath>

#include "ui/Platform.h"

namespace zenthra {

namespace {

// Half the difference, to the nearest integer with halves to the even one.
int CentredOffset(int outer, int inner) {
    return static_cast<int>(std::nearbyint((static_cast<double>(outer) - inner) / 2));
}

}  // namespace

FrmPopUp::FrmPopUp(Platform& platform, const Geometry& mainWindow)
    : lblMessage(ControlKind::Label, "lblMessage", "", Geometry{0, 0, 1200, 300}),
      platform(platform),
      mainWindow(mainWindow) {
    lblMessage.font.name = "Tahoma";
}

void FrmPopUp::PopUp2(const std::string& strMessage, int intWidth, int intHeight,
                      int16_t intInterval, int intTop, int intLeft) {
    PopUp(strMessage, intWidth, intHeight, intInterval, intTop, intLeft);
}

void FrmPopUp::PopUp(const std::string& strMessage, int intWidth, int intHeight,
                     int16_t intInterval, int intTop, int intLeft) {
    PopUpInForm(mainWindow, strMessage, intWidth, intHeight, intInterval, intTop, intLeft);
}

void FrmPopUp::PopUpCenter(const std::string& strMessage, int intWidth, int intHeight,
                           int16_t intInterval) {
    PopUp(strMessage, intWidth, intHeight, intInterval, CentredOffset(mainWindow.height, intHeight),
          CentredOffset(mainWindow.width, intWidth));
}

void FrmPopUp::PopUpInForm(const Geometry& frmMe, const std::string& strMessage, int intWidth,
                           int intHeight, int16_t intInterval, int intTop, int intLeft) {
    PopUpInForm2(frmMe, strMessage, intWidth, intHeight, intInterval, intTop, intLeft);
}

void FrmPopUp::PopUpInForm2(const Geometry& frmMe, const std::string& strMessage, int intWidth,
                            int intHeight, int32_t lngInterval, int intTop, int intLeft) {
    geometry.top = intTop + frmMe.top;
    geometry.left = intLeft + frmMe.left;
    lblMessage.caption = strMessage;
    geometry.height = intHeight;
    geometry.width = intWidth;
    lblMessage.geometry.width = intWidth;
    Timer1.interval = lngInterval;
    Timer1.enabled = true;
    visible = true;
    platform.ShowPopUp(*this);
}

void FrmPopUp::Timer1_Timer() {
    Close();
}

void FrmPopUp::lblMessage_MouseUp() {
    Close();
}

void FrmPopUp::Close() {
    Timer1.enabled = false;
    visible = false;
}

}  // namespace zenthra
