#pragma once
// The pattern editor's panel, `pnl_blinkmuster` or `pnl_led_blinkmuster` after its configuration:
// address choice, count and stretch with their up-downs, loop, the time labels, the drawing rule with
// a way into the manual, one check box and drawing per output, the copy buttons and
// "Verwerfen"/"Übernehmen", arranged by Qt layouts. It holds controls only; the PatternEditor shows
// the document in them and turns what the user does into document steps.

#include "light/PatternPanelConfig.h"

#include <QFrame>

#include <vector>

class NumberField;
class PatternCanvas;
class QCheckBox;
class QLabel;
class QLayout;
class QPushButton;
class QRadioButton;
class QSpinBox;

class PatternPanel : public QFrame {
    Q_OBJECT
public:
    PatternPanel(const PatternPanelConfig& config, QWidget* parent = nullptr);

    const PatternPanelConfig& config() const { return config_; }

    // Addresses and outputs count from 1.
    QRadioButton* addressButton(int address) const { return addressButtons_.at(address - 1); }
    QPushButton* copyButton(int address) const { return copyButtons_.at(address - 1); }
    QCheckBox* outputBox(int output) const { return outputBoxes_.at(output - 1); }
    PatternCanvas* canvas(int output) const { return canvases_.at(output - 1); }
    NumberField* countEdit() const { return count_; }
    NumberField* stretchEdit() const { return stretch_; }
    QSpinBox* countUpDown() const { return countUpDown_; }
    QSpinBox* stretchUpDown() const { return stretchUpDown_; }
    QCheckBox* loopBox() const { return loop_; }
    QLabel* timeGridLabel() const { return timeGrid_; }
    QLabel* totalTimeLabel() const { return totalTime_; }
    // "obere Hälfte: an, untere Hälfte: aus" beside the drawings.
    QLabel* ruleLabel() const { return rule_; }
    QPushButton* discardButton() const { return discard_; }
    QPushButton* acceptButton() const { return accept_; }
    // Drawings and the fields and boxes that change the table take input or not; the address
    // choice always does, so a table that is only shown can still be looked through.
    void setEditable(bool editable);

signals:
    // The "?" beside the drawing rule: the manual's page on drawing patterns.
    void manualRequested();

private:
    QString name(const QString& role) const { return config_.prefix + role; }
    QLayout* buildHead();
    QLayout* buildOutputs();
    QLayout* buildFoot();
    QLayout* numberRow(const QString& role, const QString& caption, const QString& hint, int maximum,
                       NumberField** field, QSpinBox** upDown);

    PatternPanelConfig config_;
    std::vector<QRadioButton*> addressButtons_;
    std::vector<QPushButton*> copyButtons_;
    std::vector<QCheckBox*> outputBoxes_;
    std::vector<PatternCanvas*> canvases_;
    NumberField* count_ = nullptr;
    NumberField* stretch_ = nullptr;
    QSpinBox* countUpDown_ = nullptr;
    QSpinBox* stretchUpDown_ = nullptr;
    QCheckBox* loop_ = nullptr;
    QLabel* timeGrid_ = nullptr;
    QLabel* totalTime_ = nullptr;
    QLabel* rule_ = nullptr;
    QPushButton* discard_ = nullptr;
    QPushButton* accept_ = nullptr;
};
