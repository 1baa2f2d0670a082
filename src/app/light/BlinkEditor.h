#pragma once
// The blink pattern editor of the four-output blink firmware (`pnl_blinkmuster`).

#include "light/PatternEditor.h"

class BlinkEditor : public PatternEditor {
    Q_OBJECT
public:
    explicit BlinkEditor(QWidget* parent = nullptr) : PatternEditor(PatternPanelConfig::blink(), parent) {}
};
