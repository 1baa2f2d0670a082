#pragma once
// The blink or LED working copy as the document holds it, and the only way the views change it:
// steps drawn with the mouse, count, stretch, loop, outputs in use, "von #n", übernehmen and
// verwerfen. Each user action is one undo step (a stroke one step however many steps it draws,
// what is typed into the count or stretch field one step until the entry is finished); reads go
// through views of the document's tables, so no view keeps a copy of its own.

#include "light/PatternView.h"

#include <QString>

#include <optional>

class FirmwareDocument;
namespace hq {
class PatternBank;
}

class PatternEdits {
public:
    explicit PatternEdits(FirmwareDocument& document) : document_(document) {}

    // The working copy the editor shows, and the table in the file; nothing for a firmware without
    // patterns. A view holds until the document changes next.
    std::optional<hq::PatternView> shown() const;
    std::optional<hq::PatternView> inFile() const;
    // Address 1..4 of the working copy differs from the file.
    bool differsFromFile(int address) const;
    // The working copy holds changes that "übernehmen" would take over.
    bool hasPendingChanges() const;

    // A mouse stroke: each drawn step shows at once; the stroke becomes one undo step when it ends.
    void beginStroke();
    // Step `index` of `output` of `address` switched on or off; true when it changed. Outside a
    // stroke the change is an undo step of its own.
    bool drawStep(int address, int output, int index, bool on);
    // Ends the stroke drawn on `output` of `address`; false when it changed nothing at all.
    bool endStroke(int address, int output);

    // Count and stretch are stored within 1..maxCount and 1..maxStretch.
    void setCount(int address, int count);
    void setStretch(int address, int stretch);
    void toggleLoop(int address);
    void toggleOutput(int address, int output);
    // "von #source": the pattern of `source` over that of `address`.
    void copyFrom(int source, int address);
    // "übernehmen" and "verwerfen".
    void accept();
    void discard();

    // The count or stretch field was left: the next value typed is a step of its own.
    void finishEntry();

private:
    template <class Change> void change(const QString& text, Change change, int mergeKey);

    FirmwareDocument& document_;
    bool strokeChanged_ = false;
};
