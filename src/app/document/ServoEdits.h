#pragma once
// The typed edits of the servo working copy: curve points and relay, count, stretch, generated, mirrored,
// copied and loaded curves, assignments, flags and pulse timing, übernehmen and verwerfen: read from the
// document and changed only through these, each change one undo step.

class FirmwareDocument;

class ServoEdits {
public:
    explicit ServoEdits(FirmwareDocument& document) : document_(document) {}

private:
    [[maybe_unused]] FirmwareDocument& document_;
};
