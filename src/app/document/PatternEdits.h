#pragma once
// The typed edits of the blink or LED working copy: steps, count, stretch, loop, outputs in use, copies,
// übernehmen and verwerfen: read from the document and changed only through these, each change one undo step.

class FirmwareDocument;

class PatternEdits {
public:
    explicit PatternEdits(FirmwareDocument& document) : document_(document) {}

private:
    [[maybe_unused]] FirmwareDocument& document_;
};
