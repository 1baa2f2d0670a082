#pragma once
// The LED pattern editor of the ten-output LED firmware (`pnl_led_blinkmuster`).

#include "light/PatternEditor.h"

class LedEditor : public PatternEditor {
    Q_OBJECT
public:
    explicit LedEditor(QWidget* parent = nullptr) : PatternEditor(PatternPanelConfig::led(), parent) {}
};
