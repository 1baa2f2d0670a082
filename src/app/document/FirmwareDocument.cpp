#include "document/FirmwareDocument.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {

// The history keeps whole states: small (a few kilobytes) and never out of step with the views.
constexpr int kUndoLimit = 500;

} // namespace

// One undo step: the document's state before and after it.
class DocumentStep : public QUndoCommand {
public:
    DocumentStep(FirmwareDocument* document, const QString& text, FirmwareDocument::State before,
                 FirmwareDocument::State after, int mergeKey, int entry)
        : QUndoCommand(text), document_(document), before_(std::move(before)), after_(std::move(after)),
          mergeKey_(mergeKey), entry_(entry) {}

    void undo() override { document_->setState(before_); }
    void redo() override { document_->setState(after_); }
    int id() const override { return mergeKey_; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* step = static_cast<const DocumentStep*>(other);
        if (step->entry_ != entry_)
            return false;
        after_ = step->after_;
        // Typed and taken back within one entry: no step at all.
        setObsolete(after_ == before_);
        return true;
    }

private:
    FirmwareDocument* document_;
    FirmwareDocument::State before_;
    FirmwareDocument::State after_;
    int mergeKey_;
    int entry_;
};

FirmwareDocument::FirmwareDocument(QObject* parent) : QObject(parent), stack_(new QUndoStack(this)) {
    stack_->setUndoLimit(kUndoLimit);
}

FirmwareDocument::~FirmwareDocument() {
    // The steps call back into the document while they are deleted by nobody but the stack.
    delete stack_;
    stack_ = nullptr;
}

void FirmwareDocument::load(hq::Firmware firmware, const QString& path) {
    firmware_ = std::move(firmware);
    path_ = path;
    file_ = hq::readSettings(firmware_);
    state_ = State{file_, file_.servo, file_.patterns};
    strokeBefore_.reset();
    ++entry_;
    loaded_ = true;
    stack_->clear();
    emit reloaded();
    notify(DocumentChange::everything());
}

hq::FirmwareSettings FirmwareDocument::shown() const {
    hq::FirmwareSettings settings = state_.edited;
    if (state_.servo)
        settings.servo = state_.servo;
    if (state_.patterns)
        settings.patterns = state_.patterns;
    return settings;
}

bool FirmwareDocument::hasPendingEditorChanges() const {
    return state_.servo != state_.edited.servo || state_.patterns != state_.edited.patterns;
}

bool FirmwareDocument::isModified() const {
    return loaded_ && (!(state_.edited == file_) || hasPendingEditorChanges());
}

void FirmwareDocument::edit(const QString& text, const std::function<void(State&)>& change, int mergeKey) {
    if (!loaded_)
        return;
    State after = state_;
    change(after);
    if (after == state_)
        return;
    stack_->push(new DocumentStep(this, text, state_, std::move(after), mergeKey, entry_));
}

void FirmwareDocument::finishEntry() {
    ++entry_;
}

void FirmwareDocument::beginStroke() {
    if (loaded_)
        strokeBefore_ = state_;
}

void FirmwareDocument::strokeChange(const std::function<void(State&)>& change) {
    if (!strokeBefore_)
        return;
    State after = state_;
    change(after);
    if (after == state_)
        return;
    const DocumentChange drawn = DocumentChange::between(state_, after);
    state_ = std::move(after);
    notify(drawn);
}

void FirmwareDocument::strokeDraw(const std::function<DocumentChange(State&)>& draw) {
    if (!strokeBefore_)
        return;
    const DocumentChange drawn = draw(state_);
    if (!drawn.isEmpty())
        notify(drawn);
}

void FirmwareDocument::endStroke(const QString& text) {
    if (!strokeBefore_)
        return;
    State before = std::move(*strokeBefore_);
    strokeBefore_.reset();
    ++entry_;
    if (before == state_)
        return;
    stack_->push(new DocumentStep(this, text, std::move(before), state_, kNoMerge, entry_));
}

void FirmwareDocument::acceptEditorChanges() {
    edit(tr("übernehmen"), [](State& state) {
        state.edited.servo = state.servo;
        state.edited.patterns = state.patterns;
    });
}

void FirmwareDocument::discardEditorChanges() {
    edit(tr("verwerfen"), [](State& state) {
        state.servo = state.edited.servo;
        state.patterns = state.edited.patterns;
    });
}

void FirmwareDocument::discardAllChanges() {
    const hq::FirmwareSettings file = file_;
    edit(tr("Alle Änderungen verwerfen"), [&file](State& state) {
        state = State{file, file.servo, file.patterns};
    });
}

void FirmwareDocument::replaceSettings(const QString& text, const hq::FirmwareSettings& settings) {
    edit(text, [&settings](State& state) { state = State{settings, settings.servo, settings.patterns}; });
}

void FirmwareDocument::markSaved(hq::Firmware saved, const QString& path) {
    firmware_ = std::move(saved);
    path_ = path;
    file_ = hq::readSettings(firmware_);
    const hq::FirmwareSettings file = file_;
    ++entry_;
    // The values as the file holds them (a HELL level the file could not hold); pushing a step
    // notifies, and the marks of everything compare with the new file either way.
    const int steps = stack_->count();
    baselinePending_ = true;
    edit(tr("Gespeichert"), [&file](State& state) { state = State{file, file.servo, file.patterns}; });
    if (stack_->count() == steps)
        notify(DocumentChange());
    baselinePending_ = false;
}

void FirmwareDocument::setState(const State& state) {
    const DocumentChange change = DocumentChange::between(state_, state);
    state_ = state;
    // Undo or redo (its key) while the mouse is still held: the stroke goes on from the state they
    // give and still ends as one step. Ending it here would leave the rest of the stroke outside the
    // document, or make each drawn point a step of its own.
    if (strokeBefore_)
        strokeBefore_ = state_;
    notify(change);
}

void FirmwareDocument::notify(const DocumentChange& change) {
    const DocumentChange sent = baselinePending_ ? change.withBaseline() : change;
    baselinePending_ = false;
    if (!sent.isEmpty())
        emit changed(sent);
    const bool modified = isModified();
    if (modified != modified_) {
        modified_ = modified;
        emit modifiedChanged(modified);
    }
}
