#pragma once
// What one undo step of a window's document changes: the settings a save writes, and the working
// copies of the editors with a table (servo curves, blink and LED patterns). An editor with a table
// edits its working copy; "übernehmen" takes it into the settings, "verwerfen" goes back to them.

#include "settings/FirmwareSettings.h"

#include <optional>

struct DocumentState {
    hq::FirmwareSettings edited;                // what a save writes
    std::optional<hq::ServoWorkingCopy> servo;  // the servo editor's working copy
    std::optional<hq::PatternSetting> patterns; // the pattern editor's working copy

    friend bool operator==(const DocumentState&, const DocumentState&) = default;
};
