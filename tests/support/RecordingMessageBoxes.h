// A message box stand-in for tests: records every box and answers from a queue.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "support/MessageBoxes.h"

namespace zenthra::testing {

struct RecordedBox {
    std::string text;
    MsgIcon icon;
    std::string title;
    MsgButtons buttons;
};

class RecordingMessageBoxes : public MessageBoxes {
  public:
    MsgAnswer MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                     MsgButtons buttons) override;

    // Answers for the coming Yes/No/Cancel boxes, in order; without one such a box is
    // answered with Cancel. OK boxes are always answered with OK.
    void QueueAnswer(MsgAnswer answer) { answers.push_back(answer); }

    std::vector<RecordedBox> boxes;

  private:
    std::deque<MsgAnswer> answers;
};

}  // namespace zenthra::testing
