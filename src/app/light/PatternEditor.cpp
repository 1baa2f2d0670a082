#include "light/PatternEditor.h"

#include "Dialogs.h"
#include "EditorHost.h"
#include "NumberEntry.h"
#include "light/PatternCanvas.h"
#include "light/PatternPanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Sets the text only when it differs, so the cursor stays where the user types.
void showNumber(QLineEdit* edit, int value) {
    QString text = QString::number(value);
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

PatternEditor::PatternEditor(const PatternPanelConfig& config, QWidget* parent)
    : panel_(new PatternPanel(config, parent)), bank_(*config.layout) {
    connectControls();
}

PatternEditor::~PatternEditor() {
    // A panel still alive belongs to a window that outlives the editor; it goes with the editor.
    delete panel_.data();
}

void PatternEditor::connectControls() {
    const PatternPanelConfig& config = panel_->config();
    for (int a = 1; a <= hq::kPatternAddresses; ++a) {
        connect(panel_->addressButton(a), &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                rad_aClick();
        });
        connect(panel_->copyButton(a), &QPushButton::clicked, this, [this, a] { btn_copyClick(a); });
    }
    for (int n = 1; n <= config.outputs(); ++n) {
        connect(panel_->outputBox(n), &QCheckBox::clicked, this, [this, n] { cbx_outClick(n); });
        connect(panel_->canvas(n), &PatternCanvas::pointDrawn, this,
                [this, n](int step, int on) { imageDrawn(n, step, on != 0); });
    }
    connect(panel_->countEdit(), &QLineEdit::textChanged, this, &PatternEditor::edt_AnzahlChange);
    connect(panel_->stretchEdit(), &QLineEdit::textChanged, this, &PatternEditor::edt_stretchChange);
    connect(panel_->loopBox(), &QCheckBox::clicked, this, &PatternEditor::cbx_loopClick);
    connect(panel_->discardButton(), &QPushButton::clicked, this, &PatternEditor::btn_verwerfenClick);
    connect(panel_->acceptButton(), &QPushButton::clicked, this, &PatternEditor::btn_uebernehmenClick);
}

PatternPanel* PatternEditor::panelWidget() const {
    return panel_;
}

hq::Panel PatternEditor::panel() const {
    return panel_->config().panel;
}

int PatternEditor::currentAddress() const {
    for (int a = 1; a <= hq::kPatternAddresses; ++a)
        if (panel_->addressButton(a)->isChecked())
            return a;
    return 1;
}

void PatternEditor::setUp(hq::Firmware& firmware, EditorHost& host) {
    settingUp_ = true;
    firmware_ = &firmware;
    if (panel_->parentWidget() != host.panelParent())
        panel_->setParent(host.panelParent());
    const PatternPanelConfig& config = panel_->config();
    panel_->fitInto(host.makeRoom(QSize(PatternPanelConfig::kWindowWidth, config.windowHeight)));
    panel_->addressButton(1)->setChecked(true);
    panel_->show();
    reloadPatterns();
    panel_->acceptButton()->setEnabled(false);
    settingUp_ = false;
}

void PatternEditor::reset() {
    panel_->hide();
    panel_->acceptButton()->setEnabled(false);
    firmware_ = nullptr;
}

bool PatternEditor::hasPendingChanges() const {
    return firmware_ && !panel_->isHidden() && panel_->acceptButton()->isEnabled();
}

void PatternEditor::acceptChanges() {
    btn_uebernehmenClick();
}

void PatternEditor::reloadPatterns() {
    if (!firmware_)
        return;
    bank_.read(firmware_->image);
    showParameters();
    drawPatterns();
}

void PatternEditor::showParameters() {
    const int address = currentAddress();
    showing_ = true;
    for (int a = 1; a <= hq::kPatternAddresses; ++a)
        panel_->copyButton(a)->setEnabled(a != address);

    // A count or stretch the firmware holds outside its range is shown, and kept, within it.
    bool normalised = bank_.setCount(address, bank_.count(address));
    normalised = bank_.setStretch(address, bank_.stretch(address)) || normalised;
    const int count = bank_.count(address);
    const int stretch = bank_.stretch(address);
    showNumber(panel_->countEdit(), count);
    showNumber(panel_->stretchEdit(), stretch);
    panel_->loopBox()->setChecked(bank_.loop(address));
    for (int n = 1; n <= panel_->config().outputs(); ++n)
        panel_->outputBox(n)->setChecked(bank_.outputUsed(address, n));
    panel_->timeGridLabel()->setText(QString::fromStdString(hq::timeGridText(stretch)));
    panel_->totalTimeLabel()->setText(QString::fromStdString(hq::totalTimeText(stretch, count)));
    showing_ = false;
    if (normalised)
        changed();
}

void PatternEditor::drawPatterns() {
    const int address = currentAddress();
    const int count = bank_.count(address);
    for (int n = 1; n <= panel_->config().outputs(); ++n) {
        std::vector<bool> steps(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            steps[static_cast<std::size_t>(i)] = bank_.step(address, n, i);
        PatternCanvas* canvas = panel_->canvas(n);
        canvas->setSteps(std::move(steps));
        canvas->setVisible(bank_.outputUsed(address, n));
    }
}

void PatternEditor::changed() {
    if (!settingUp_)
        panel_->acceptButton()->setEnabled(true);
}

template <class Store> void PatternEditor::numberChanged(QLineEdit* edit, int maximum, Store store) {
    if (showing_ || !firmware_)
        return;
    const std::optional<int> entered = enteredNumber(edit, "1.." + std::to_string(maximum));
    if (!entered)
        return;
    store(currentAddress(), *entered);
    drawPatterns();
    showParameters();
    changed();
}

void PatternEditor::edt_AnzahlChange() {
    numberChanged(panel_->countEdit(), panel_->config().maxCount(),
                  [this](int address, int value) { bank_.setCount(address, value); });
}

void PatternEditor::edt_stretchChange() {
    numberChanged(panel_->stretchEdit(), panel_->config().maxStretch(),
                  [this](int address, int value) { bank_.setStretch(address, value); });
}

void PatternEditor::rad_aClick() {
    if (settingUp_ || !firmware_)
        return;
    showParameters();
    drawPatterns();
}

void PatternEditor::cbx_loopClick() {
    if (settingUp_ || !firmware_)
        return;
    bank_.setLoop(currentAddress(), panel_->loopBox()->isChecked());
    changed();
}

void PatternEditor::cbx_outClick(int output) {
    if (settingUp_ || !firmware_)
        return;
    bank_.setOutputUsed(currentAddress(), output, panel_->outputBox(output)->isChecked());
    drawPatterns();
    changed();
}

void PatternEditor::btn_copyClick(int source) {
    if (!firmware_ || source == currentAddress())
        return;
    bank_.copy(source, currentAddress());
    drawPatterns();
    showParameters();
    changed();
}

void PatternEditor::btn_verwerfenClick() {
    if (!firmware_)
        return;
    reloadPatterns();
    panel_->acceptButton()->setEnabled(false);
}

void PatternEditor::btn_uebernehmenClick() {
    if (!firmware_)
        return;
    hq::Status written = bank_.write(firmware_->image);
    if (!written) {
        warningOk(panel_, QString::fromStdString(written.message()));
        return;
    }
    panel_->acceptButton()->setEnabled(false);
}

void PatternEditor::imageDrawn(int output, int step, bool on) {
    if (!firmware_)
        return;
    if (bank_.setStep(currentAddress(), output, step, on)) {
        drawPatterns();
        changed();
    }
}
