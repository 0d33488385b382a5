// The modal message box, as the lower layers see it: the window model shows it on the real
// desktop, the console prints it, tests record it.
#pragma once

#include <string>

namespace zenthra {

enum class MsgIcon { None, Information, Exclamation };
// Yes/No/Cancel boxes have No as their default button: the program's only such question,
// whether to save the state when quitting, must not save by a hasty Enter.
enum class MsgButtons { Ok, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    // An empty title stands for the program's default title.
    virtual MsgAnswer MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                             MsgButtons buttons = MsgButtons::Ok) = 0;
};

}  // namespace zenthra
