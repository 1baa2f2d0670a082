#pragma once
// The typed edits of the neon levels and delay and the house-light minimum: read from the document and
// changed only through these, each change one undo step.

class FirmwareDocument;

class LightEdits {
public:
    explicit LightEdits(FirmwareDocument& document) : document_(document) {}

private:
    [[maybe_unused]] FirmwareDocument& document_;
};
