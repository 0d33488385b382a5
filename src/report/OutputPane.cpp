#include "report/OutputPane.h"

#include "calendar/Utf8.h"

namespace zenthra {

void OutputPane::Append(std::string_view more) {
    text += more;
    length += SplitCharacters(more).size();
    if (onAppend) {
        onAppend(more);
    }
}

void OutputPane::SetText(std::string newText) {
    text = std::move(newText);
    length = SplitCharacters(text).size();
}

}  // namespace zenthra
