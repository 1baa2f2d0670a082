#include "PatternEdits.h"

#include "FirmwareDocument.h"
#include "light/PatternBank.h"

namespace {

using State = DocumentState;

// What is typed into one field of one address merges into one step: count 1110 + address, stretch
// 1120 + address.
constexpr int kCountEntry = 1110;
constexpr int kStretchEntry = 1120;

// Runs `change` on the working copy of `state` through a bank over it.
template <class Change> void onWorkingCopy(State& state, Change& change) {
    if (!state.patterns || state.patterns->layout == nullptr)
        return;
    hq::PatternBank bank(*state.patterns->layout);
    bank.table() = state.patterns->table;
    change(bank);
    state.patterns->table = bank.table();
}

QString drawnText(int address, int output) {
    return QObject::tr("Adresse %1, Out#%2 gezeichnet").arg(address).arg(output);
}

} // namespace

std::optional<hq::PatternView> PatternEdits::shown() const {
    const auto& patterns = document_.state().patterns;
    if (!patterns || patterns->layout == nullptr)
        return std::nullopt;
    return hq::PatternView(*patterns->layout, patterns->table);
}

std::optional<hq::PatternView> PatternEdits::inFile() const {
    const auto& patterns = document_.fileSettings().patterns;
    if (!patterns || patterns->layout == nullptr)
        return std::nullopt;
    return hq::PatternView(*patterns->layout, patterns->table);
}

bool PatternEdits::differsFromFile(int address) const {
    const std::optional<hq::PatternView> working = shown();
    const std::optional<hq::PatternView> file = inFile();
    if (!working || !file || &working->layout() != &file->layout())
        return false;
    return !working->sameAddress(*file, address);
}

bool PatternEdits::hasPendingChanges() const {
    return document_.state().patterns != document_.edited().patterns;
}

template <class Change> void PatternEdits::change(const QString& text, Change change, int mergeKey) {
    document_.edit(
        text, [&change](State& state) { onWorkingCopy(state, change); }, mergeKey);
}

void PatternEdits::beginStroke() {
    strokeChanged_ = false;
    document_.beginStroke();
}

bool PatternEdits::drawStep(int address, int output, int index, bool on) {
    const std::optional<hq::PatternView> working = shown();
    if (!working || index < 0 || index >= working->count(address) || output < 1 ||
        output > working->layout().outputs || working->step(address, output, index) == on)
        return false;
    auto draw = [address, output, index, on](hq::PatternBank& bank) {
        bank.setStep(address, output, index, on);
    };
    if (document_.inStroke()) {
        document_.strokeChange([&draw](State& state) { onWorkingCopy(state, draw); });
        strokeChanged_ = true;
    } else {
        change(drawnText(address, output), draw, FirmwareDocument::kNoMerge);
    }
    return true;
}

bool PatternEdits::endStroke(int address, int output) {
    document_.endStroke(drawnText(address, output));
    const bool changed = strokeChanged_;
    strokeChanged_ = false;
    return changed;
}

void PatternEdits::setCount(int address, int count) {
    change(
        QObject::tr("Anzahl Punkte von Adresse %1").arg(address),
        [address, count](hq::PatternBank& bank) { bank.setCount(address, count); }, kCountEntry + address);
}

void PatternEdits::setStretch(int address, int stretch) {
    change(
        QObject::tr("Stretch-Faktor von Adresse %1").arg(address),
        [address, stretch](hq::PatternBank& bank) { bank.setStretch(address, stretch); },
        kStretchEntry + address);
}

void PatternEdits::toggleLoop(int address) {
    change(
        QObject::tr("Loop von Adresse %1").arg(address),
        [address](hq::PatternBank& bank) { bank.setLoop(address, !bank.loop(address)); },
        FirmwareDocument::kNoMerge);
}

void PatternEdits::toggleOutput(int address, int output) {
    change(
        QObject::tr("Ausgang %1 von Adresse %2").arg(output).arg(address),
        [address, output](hq::PatternBank& bank) {
            bank.setOutputUsed(address, output, !bank.outputUsed(address, output));
        },
        FirmwareDocument::kNoMerge);
}

void PatternEdits::copyFrom(int source, int address) {
    if (source == address)
        return;
    change(
        QObject::tr("Adresse %1 von #%2 kopiert").arg(address).arg(source),
        [source, address](hq::PatternBank& bank) { bank.copy(source, address); }, FirmwareDocument::kNoMerge);
}

void PatternEdits::accept() {
    document_.acceptEditorChanges();
}

void PatternEdits::discard() {
    document_.discardEditorChanges();
}

void PatternEdits::finishEntry() {
    document_.finishEntry();
}
