#pragma once
// The pattern editor's panel, `pnl_blinkmuster` or `pnl_led_blinkmuster` after its configuration:
// address choice, count and stretch with their up-downs, loop, one check box and image per output,
// the time labels, the copy buttons and "Verwerfen"/"Übernehmen". It holds controls only; the
// PatternEditor handles them and places the panel in the room the window gives.

#include "light/PatternPanelConfig.h"

#include <QFrame>

#include <vector>

struct EditorRoom;
class PatternCanvas;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class PatternPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 535;

    PatternPanel(const PatternPanelConfig& config, QWidget* parent = nullptr);

    const PatternPanelConfig& config() const { return config_; }

    // Moves the panel to the top left of `room`. The copy buttons stand right of the room's lower
    // left edge, and a panel reaching below the button row's top leaves the part left of that edge
    // to the button row (masked), so the ten LED images fit the window.
    void fitInto(const EditorRoom& room);

    // Addresses and outputs count from 1.
    QRadioButton* addressButton(int address) const { return addressButtons_.at(address - 1); }
    QPushButton* copyButton(int address) const { return copyButtons_.at(address - 1); }
    QCheckBox* outputBox(int output) const { return outputBoxes_.at(output - 1); }
    PatternCanvas* canvas(int output) const { return canvases_.at(output - 1); }
    QLineEdit* countEdit() const { return count_; }
    QLineEdit* stretchEdit() const { return stretch_; }
    QSpinBox* countUpDown() const { return countUpDown_; }
    QSpinBox* stretchUpDown() const { return stretchUpDown_; }
    QCheckBox* loopBox() const { return loop_; }
    QLabel* timeGridLabel() const { return timeGrid_; }
    QLabel* totalTimeLabel() const { return totalTime_; }
    QPushButton* discardButton() const { return discard_; }
    QPushButton* acceptButton() const { return accept_; }

private:
    QString name(const QString& role) const { return config_.prefix + role; }
    void buildHead();
    int buildOutputs(int top);
    void buildFoot(int top);
    void placeFoot(int left);
    QLineEdit* numberEdit(const QString& role, const QString& caption, const QString& hint, int left, int top,
                          int maximum, QSpinBox** upDown);

    PatternPanelConfig config_;
    std::vector<QRadioButton*> addressButtons_;
    std::vector<QPushButton*> copyButtons_;
    QLabel* copyCaption_ = nullptr;
    int footTop_ = 0;
    std::vector<QCheckBox*> outputBoxes_;
    std::vector<PatternCanvas*> canvases_;
    QLineEdit* count_ = nullptr;
    QLineEdit* stretch_ = nullptr;
    QSpinBox* countUpDown_ = nullptr;
    QSpinBox* stretchUpDown_ = nullptr;
    QCheckBox* loop_ = nullptr;
    QLabel* timeGrid_ = nullptr;
    QLabel* totalTime_ = nullptr;
    QPushButton* discard_ = nullptr;
    QPushButton* accept_ = nullptr;
};
