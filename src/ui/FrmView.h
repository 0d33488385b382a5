// The read-only text viewer as a model: the help window. It reads its file when it is first
// activated and keeps the text while it is merely hidden.
#pragma once

#include <string>
#include <vector>

#include "ui/Controls.h"

namespace zenthra {

class Platform;

class FrmView {
  public:
    explicit FrmView(Platform& platform);

    FrmView(const FrmView&) = delete;
    FrmView& operator=(const FrmView&) = delete;

    // Characters of a file that the text box shows whole.
    static constexpr size_t kDisplayLimit = 65529;

    std::string caption = "Viewing";
    Geometry geometry{0, 0, 10000, 7000};
    WindowState windowState = WindowState::Normal;
    bool visible = false;

    std::string strFilename;
    // A mark in the file and the text shown in its place.
    std::string strMark, strMarkText;
    bool blnCopyToClipboardInvisible = false;

    Control txbText1;
    Control cmdCopyToClipboard;
    Control cmdClose;
    std::vector<Control*> AllControls() { return {&txbText1, &cmdCopyToClipboard, &cmdClose}; }

    // The file has been loaded since the window was last unloaded.
    bool FileDisplayed() const { return blnFileDisplayed; }

    // Shows the viewer without blocking: loads it the first time, then activates it.
    void Show();
    // Places and sizes the window, which lays it out again.
    void Move(const Geometry& where);

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void cmdClose_Click();
    void Form_Unload();
    // A key pressed anywhere in the viewer: Escape closes it, as Close does.
    void Form_KeyDown(int keyCode, int shift);

  private:
    void EnsureLoaded();
    void PrepareControls();
    bool LoadFile();
    void ReportUnreadable(int errorNumber);

    Platform& platform;
    bool loaded = false;
    bool blnFileDisplayed = false;
};

}  // namespace zenthra
