// How a button's handler ended, for a caller that acts on it (the console's exit status)
// rather than on what the handler left behind. The user has already been told, by the pane or
// a message box.
#pragma once

#include <string>
#include <utility>

namespace zenthra {

enum class OutcomeKind {
    Done,     // the work is complete, also when it found nothing
    Refused,  // a check of the inputs said no before anything was done
    Stopped,  // Stop, Escape or Quit ended it part way
    Failed,   // something went wrong while doing it; `message` says what
};

struct Outcome {
    OutcomeKind kind = OutcomeKind::Done;
    std::string message;

    static Outcome Done() { return {}; }
    static Outcome Refused() { return {OutcomeKind::Refused, {}}; }
    static Outcome Stopped() { return {OutcomeKind::Stopped, {}}; }
    static Outcome Failed(std::string message) { return {OutcomeKind::Failed, std::move(message)}; }

    bool IsDone() const { return kind == OutcomeKind::Done; }
};

}  // namespace zenthra
