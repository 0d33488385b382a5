// The output pane's text. The window's pane holds a limited number of characters; the
// console's has no limit.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zenthra {

class OutputPane {
  public:
    static constexpr size_t kWindowCapacity = 64000;

    explicit OutputPane(std::optional<size_t> capacity = kWindowCapacity) : capacity(capacity) {}

    const std::string& Text() const { return text; }
    bool Empty() const { return text.empty(); }

    // Length in characters.
    size_t Length() const { return length; }

    void Append(std::string_view more);
    void SetText(std::string newText);
    void Clear() { SetText({}); }

    // A further row is accepted while the text is at most the capacity long.
    bool AcceptsRow() const { return !capacity || length <= *capacity; }

    // Told of every text appended, as it is appended; a console prints it.
    std::function<void(std::string_view)> onAppend;

  private:
    std::optional<size_t> capacity;
    std::string text;
    size_t length = 0;
};

}  // namespace zenthra
