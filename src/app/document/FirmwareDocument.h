#pragma once
// The document behind one window: the loaded firmware, its settings as in the file and as edited,
// the editors' working copies, and the undo history. The grid, the extra value, the neon and house
// fields and every editor are views of it: they show its state and change it only through `edit`,
// strokes and the editor steps below, so every change can be undone and "modified" is simply
// "edited differs from the file".
//
// An editor with a table (servo curves, blink and LED patterns) edits a working copy first; its
// "übernehmen" takes the working copy into the edited settings, its "verwerfen" goes back to them.
// Both are undo steps like any edit.

#include "DocumentChange.h"
#include "DocumentState.h"
#include "GridEdits.h"
#include "LightEdits.h"
#include "PatternEdits.h"
#include "ServoEdits.h"
#include "image/Firmware.h"
#include "settings/FirmwareSettings.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QUndoStack;

class FirmwareDocument : public QObject {
    Q_OBJECT
public:
    using State = DocumentState;

    // Edits of one field typed in a row share a merge key while the entry lasts.
    static constexpr int kNoMerge = -1;

    explicit FirmwareDocument(QObject* parent = nullptr);
    ~FirmwareDocument() override;

    // A new firmware: its settings become both the file's and the edited ones; the history starts
    // afresh.
    void load(hq::Firmware firmware, const QString& path);
    bool isLoaded() const { return loaded_; }

    const hq::Firmware& firmware() const { return firmware_; }
    const QString& path() const { return path_; }
    const hq::FirmwareSettings& fileSettings() const { return file_; }
    const State& state() const { return state_; }
    const hq::FirmwareSettings& edited() const { return state_.edited; }
    // What the window shows: the edited settings with the editors' working copies.
    hq::FirmwareSettings shown() const;

    // Edited settings differ from the file, or an editor holds changes not yet taken over.
    bool isModified() const;
    bool hasPendingEditorChanges() const;

    QUndoStack* undoStack() const { return stack_; }

    // The typed edits of each area; every view changes the document through these.
    GridEdits& grid() { return grid_; }
    const GridEdits& grid() const { return grid_; }
    ServoEdits& servo() { return servo_; }
    const ServoEdits& servo() const { return servo_; }
    PatternEdits& patterns() { return patterns_; }
    const PatternEdits& patterns() const { return patterns_; }
    LightEdits& light() { return light_; }
    const LightEdits& light() const { return light_; }

    // The field entry is finished: the next edit with the same merge key is a step of its own.
    void finishEntry();
    bool inStroke() const { return strokeBefore_.has_value(); }

    // "übernehmen": the working copies become the edited tables.
    void acceptEditorChanges();
    // "verwerfen": the working copies go back to the edited tables.
    void discardEditorChanges();
    // Everything back to the file, as one undo step.
    void discardAllChanges();
    // Replaces the whole state (settings import, take-over from another file) as one undo step.
    void replaceSettings(const QString& text, const hq::FirmwareSettings& settings);

    // A save wrote `saved` to `path`: it is the file now. Where the file holds other values than
    // were edited (a HELL level the file cannot hold) the edited values take the file's as one more
    // undo step, so the window shows what the file holds; a number typed another way ("007") is the
    // same value and needs none.
    void markSaved(hq::Firmware saved, const QString& path);

signals:
    // The state changed (an edit, undo, redo, a load or a save); `change` says what, so views repaint
    // only their part. Not sent when nothing changed.
    void changed(const DocumentChange& change);
    // A new firmware was loaded (before `changed`).
    void reloaded();
    void modifiedChanged(bool modified);

private:
    friend class DocumentStep;
    // The typed edits are the only way in: they name the step and say what it touched.
    friend class GridEdits;
    friend class ServoEdits;
    friend class PatternEdits;
    friend class LightEdits;

    // One undo step named `text`. Steps with the same `mergeKey` (not kNoMerge) merge until
    // `finishEntry` is called or another step comes in between. A change that changes nothing adds
    // no step.
    void edit(const QString& text, const std::function<void(State&)>& change, int mergeKey = kNoMerge);

    // A mouse stroke: its changes show at once and become one undo step when it ends.
    void beginStroke();
    void strokeChange(const std::function<void(State&)>& change);
    // A stroke's change made in place, for mouse moves: `draw` changes the state and returns what it
    // touched (an empty change where it changed nothing). Neither a copy of the state nor a comparison
    // is made per move; the stroke's step still compares the states before and after it.
    void strokeDraw(const std::function<DocumentChange(State&)>& draw);
    void endStroke(const QString& text);

    void setState(const State& state);
    void notify(const DocumentChange& change);

    hq::Firmware firmware_;
    QString path_;
    hq::FirmwareSettings file_;
    State state_;
    bool loaded_ = false;
    bool modified_ = false;
    QUndoStack* stack_;
    GridEdits grid_{*this};
    ServoEdits servo_{*this};
    PatternEdits patterns_{*this};
    LightEdits light_{*this};
    std::optional<State> strokeBefore_;
    int entry_ = 0;                // edits merge only within one entry
    bool baselinePending_ = false; // the next notification also says the file's settings changed
};
