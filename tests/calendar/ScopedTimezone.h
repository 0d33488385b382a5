// Lets a test choose the computer's timezone without depending on how the tests were started.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace zenthra {

// Sets TZ for its lifetime and restores the previous zone afterwards.
class ScopedTimezone {
  public:
    explicit ScopedTimezone(const char* zone) {
        if (const char* previous = std::getenv("TZ")) {
            previous_ = previous;
        }
        setenv("TZ", zone, 1);
    }
    ~ScopedTimezone() {
        if (previous_) {
            setenv("TZ", previous_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

  private:
    std::optional<std::string> previous_;
};

}  // namespace zenthra
