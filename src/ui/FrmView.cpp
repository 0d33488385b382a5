#include "ui/FrmView.h"

#include <algorithm>
#include <cstring>

#include "calendar/Utf8.h"
#include "support/FileProc.h"
#include "ui/Platform.h"

namespace zenthra {

namespace {

using K = ControlKind;

constexpr const char* kHeader =
    "NOTE: This file is too large to display entirely in this textbox.\r\n"
    "To view the entire contents of the file load it into NotePad,\r\n"
    "WordPad or some other text editor.\r\n\r\n";
constexpr const char* kTrailer = "NOTE: Entire contents of file have not been displayed.\r\n";
// The header, the file's first characters and the trailer of a shortened text, without the
// two line breaks between file and trailer.
constexpr size_t kShortenedLength = 65530;
constexpr size_t kMaxBytesPerCharacter = 4;

constexpr int kMinimumWidth = 8000;
constexpr int kMinimumHeight = 2000;

size_t CharacterCount(std::string_view text) {
    return SplitCharacters(text).size();
}

std::string ShownText(const std::string& fileText) {
    if (CharacterCount(fileText) <= FrmView::kDisplayLimit) {
        return fileText;
    }
    const size_t kept = kShortenedLength - CharacterCount(kHeader) - CharacterCount(kTrailer);
    return kHeader + std::string(FirstCharacters(fileText, kept)) + kCrLf + kCrLf + kTrailer;
}

}  // namespace

FrmView::FrmView(Platform& platform)
    : txbText1(K::TextBox, "txbText1", "", Geometry{120, 120, 9550, 5800}),
      cmdCopyToClipboard(K::Button, "cmdCopyToClipboard", "Copy to clipboard",
                         Geometry{120, 6020, 3270, 400}),
      cmdClose(K::Button, "cmdClose", "Close", Geometry{8670, 6020, 1000, 400}),
      platform(platform) {
    cmdClose.click = [this] { cmdClose_Click(); };
    txbText1.locked = true;
    // The help text lines up its tables in columns of characters.
    txbText1.font = {"Courier New", 10, false};
}

void FrmView::Show() {
    EnsureLoaded();
    visible = true;
    Form_Activate();
}

void FrmView::Move(const Geometry& where) {
    EnsureLoaded();
    geometry = where;
    Form_Resize();
}

void FrmView::Form_Load() {}

void FrmView::Form_Activate() {
    if (blnFileDisplayed) {
        return;
    }
    PrepareControls();
    Form_Resize();
    if (!LoadFile()) {
        // Hidden with the flag still clear, so that the next Help click tries again.
        visible = false;
        return;
    }
    blnFileDisplayed = true;
}

void FrmView::Form_Resize() {
    if (windowState == WindowState::Minimised) {
        return;
    }
    geometry.width = std::max(geometry.width, kMinimumWidth);
    geometry.height = std::max(geometry.height, kMinimumHeight);
    Geometry& text = txbText1.geometry;
    text.width = geometry.width - 450;
    text.height = geometry.height - 1200;
    cmdCopyToClipboard.geometry.top = cmdClose.geometry.top = text.top + text.height + 100;
    cmdCopyToClipboard.geometry.left = text.left;
    cmdClose.geometry.left = text.left + text.width - cmdClose.geometry.width;
}

void FrmView::cmdClose_Click() {
    // Only hidden: shown again, the viewer keeps its text and does not read the file again.
    visible = false;
}

void FrmView::Form_Unload() {
    blnFileDisplayed = false;
    cmdClose_Click();
}

void FrmView::Form_KeyDown(int keyCode, int shift) {
    if (keyCode == kKeyEscape && shift == 0) {
        cmdClose_Click();
    }
}

void FrmView::EnsureLoaded() {
    if (!loaded) {
        loaded = true;
        Form_Load();
    }
}

void FrmView::PrepareControls() {
    cmdClose.caption = "Close";
    txbText1.text.clear();
    cmdCopyToClipboard.caption = "Copy to clipboard";
    cmdCopyToClipboard.geometry.width = 3270;
    cmdCopyToClipboard.visible = !blnCopyToClipboardInvisible;
    if (cmdCopyToClipboard.visible) {
        cmdCopyToClipboard.enabled = true;
    }
    txbText1.locked = true;
}

bool FrmView::LoadFile() {
    // The viewer never shows more than its limit of characters, so a huge file is not read
    // whole.
    const FileBytes start =
        ReadRegularFile(strFilename, (kDisplayLimit + 1) * kMaxBytesPerCharacter);
    if (start.errorText == kNotRegularFile) {
        platform.MsgBox(strFilename + " is not a regular file.", MsgIcon::Exclamation,
                        "Error reading file");
        return false;
    }
    if (start.errorNumber != 0 || start.bytes.empty()) {
        ReportUnreadable(start.errorNumber);
        return false;
    }
    std::string text = start.bytes;
    if (const size_t at = strMark.empty() ? std::string::npos : text.find(strMark);
        at != std::string::npos) {
        text.replace(at, strMark.size(), strMarkText);
    }
    txbText1.text = ShownText(text);
    return true;
}

void FrmView::ReportUnreadable(int errorNumber) {
    // The working folder tells the user where a relative file name was looked for.
    platform.MsgBox(platform.CurrentWorkingFolder(), MsgIcon::None, "");
    if (errorNumber == 0) {
        platform.MsgBox("The help file is empty.", MsgIcon::Exclamation, "Help");
    } else {
        platform.MsgBox("Error " + std::to_string(errorNumber) + ".  " + std::strerror(errorNumber),
                        MsgIcon::Exclamation, "Error reading file");
    }
}

}  // namespace zenthra
