// A scripted personal run for pictures of the window: the birth data typed in, Start
// pressed, and the whole window written to a PNG file once the run is done. Used by
// scripts/screenshot through the program's hidden option --screenshot=FILE.
#pragma once

#include <string>

namespace zenthra {

class MainWindow;

// Schedules the run on the event loop; the program then ends with status 0 when the picture
// was written, and with another status when the window did not come up or the picture could
// not be written.
void ScheduleScreenshotRun(MainWindow& window, const std::string& pngPath);

}  // namespace zenthra
