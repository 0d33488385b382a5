#include "support/RecordingMessageBoxes.h"

namespace zenthra::testing {

MsgAnswer RecordingMessageBoxes::MsgBox(const std::string& text, MsgIcon icon,
                                        const std::string& title, MsgButtons buttons) {
    boxes.push_back({text, icon, title, buttons});
    if (buttons == MsgButtons::Ok) {
        return MsgAnswer::Ok;
    }
    if (answers.empty()) {
        return MsgAnswer::Cancel;
    }
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace zenthra::testing
