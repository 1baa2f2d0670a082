#include "light/HouseEditor.h"

#include "ChangeMark.h"
#include "EditorHost.h"
#include "NumberEntry.h"
#include "document/FirmwareDocument.h"
#include "light/HouseMinimum.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>

void HouseEditor::takeControls(EditorHost& host) {
    const HouseMinimumControls controls = host.houseMinimumControls();
    if (edit_ == controls.edit)
        return;
    if (edit_)
        disconnect(edit_, nullptr, this, nullptr);
    caption_ = controls.caption;
    edit_ = controls.edit;
    upDown_ = controls.upDown;
    if (edit_) {
        connect(edit_, &QLineEdit::textChanged, this, &HouseEditor::haus_edt_mindestAnzahlChange);
        connect(edit_, &QLineEdit::editingFinished, this, [this] {
            if (document_)
                document_->finishEntry();
        });
    }
}

void HouseEditor::setControlsVisible(bool visible) {
    for (QWidget* control : {static_cast<QWidget*>(caption_.data()), static_cast<QWidget*>(edit_.data()),
                             static_cast<QWidget*>(upDown_.data())})
        if (control)
            control->setVisible(visible);
}

void HouseEditor::setUp(FirmwareDocument& document, EditorHost& host) {
    takeControls(host);
    disconnect(following_);
    document_ = &document;
    following_ = connect(document_, &FirmwareDocument::changed, this, &HouseEditor::showHouseMinimum);
    setControlsVisible(true);
    showHouseMinimum();
    // The firmware takes 1..9 only: a stored minimum outside is put right at once, as a step of its
    // own, so the window shows that saving will change it.
    const std::optional<int> stored =
        document_->edited().house ? document_->edited().house->minimum : std::nullopt;
    if (stored && (*stored < hq::kHouseMinimumLowest || *stored > hq::kHouseMinimumHighest)) {
        const int minimum = std::clamp(*stored, hq::kHouseMinimumLowest, hq::kHouseMinimumHighest);
        document_->edit(QStringLiteral("Mindestanzahl auf 1..9 gebracht"),
                        [minimum](FirmwareDocument::State& state) { state.edited.house->minimum = minimum; });
    }
}

void HouseEditor::reset() {
    disconnect(following_);
    setControlsVisible(false);
    document_ = nullptr;
}

void HouseEditor::showHouseMinimum() {
    if (!document_ || !edit_ || !document_->edited().house)
        return;
    const std::optional<int> minimum = document_->edited().house->minimum;
    const std::optional<int> inFile = document_->fileSettings().house->minimum;
    const QString text = minimum ? QString::number(*minimum) : QString();
    if (edit_->text() != text) {
        showing_ = true;
        edit_->setText(text);
        showing_ = false;
    }
    setChangeMark(edit_, minimum != inFile, inFile ? QString::number(*inFile) : QStringLiteral("–"));
}

void HouseEditor::haus_edt_mindestAnzahlChange() {
    if (showing_ || !document_ || !edit_ || !document_->edited().house)
        return;
    const std::optional<int> entered = enteredNumber(edit_, hq::kHouseMinimumRangeText);
    if (!entered)
        return;
    const int minimum = std::clamp(*entered, hq::kHouseMinimumLowest, hq::kHouseMinimumHighest);
    document_->edit(
        QStringLiteral("Mindestanzahl"),
        [minimum](FirmwareDocument::State& state) { state.edited.house->minimum = minimum; }, 1300);
    showHouseMinimum();
}
