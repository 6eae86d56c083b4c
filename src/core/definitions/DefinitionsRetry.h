// The main window's side of the definitions download: when a retry tick starts a new download,
// and what a finished download means (failure text, retries stopped, messages taken over).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "definitions/DefinitionsServer.h"

namespace qlx {

inline constexpr const char* kCouncilAddress = "www.talevang.dk";

// The failure text for a download's status, or none for success (0 and unknown values).
std::optional<std::string> definitionsFailureText(int32_t status, const DefinitionsServer& server);

struct DefinitionsCompletion {
    bool success = false;      // take the download's messages over and show new ones
    std::string failureText;   // set on failure
    bool showFailure = false;  // show failureText with the warning dialog
};

// TimerReadDefinitions with its tag, and the download-in-progress flag.
class DefinitionsRetry {
public:
    static constexpr int kPeriodMs = 1500;
    static constexpr int kMaxRetries = 5;
    static constexpr int kNoRetries = 999;

    int tag() const { return tag_; }
    bool timerEnabled() const { return timerEnabled_; }
    bool downloadInProgress() const { return inProgress_; }
    // Every retry is used up (or none is due after a broken document) and none runs: the
    // timer has nothing left to do.
    bool retriesOver() const { return !inProgress_ && tag_ >= kMaxRetries; }

    // Call when a download is started: the caller then starts the worker and, if the timer
    // is not running yet, sets it to kPeriodMs.
    void StartReadDefinitions();
    // One tick of the timer: true when the caller is to start a download now. A tick while a
    // download runs waits for it, so downloads never overlap.
    bool TimerReadDefinitionsTimer(bool messagesReceived);
    // The completion step of every download.
    DefinitionsCompletion ReadDefinitionsDone(int32_t status, bool reportErrors, const DefinitionsServer& server);

private:
    int tag_ = 0;
    bool timerEnabled_ = false;
    bool inProgress_ = false;
};

} // namespace qlx
