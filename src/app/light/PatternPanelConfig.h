#pragma once
// What tells the blink pattern panel from the LED pattern panel: their names, the number of outputs,
// the image height and the table layout. Everything else the two share.

#include "image/Recognition.h"
#include "light/PatternLayout.h"

#include <QString>

struct PatternPanelConfig {
    hq::Panel panel;
    const hq::PatternLayout* layout;
    QString panelName;   // objectName of the panel
    QString prefix;      // of every control: "blinkmuster_", "led_blinkmuster_"
    QString imagePrefix; // of the images, followed by 1..outputs
    int imageHeight;     // pixels; every image is kImageWidth wide

    static constexpr int kImageWidth = 481;

    int outputs() const { return layout->outputs; }
    int maxCount() const { return layout->maxCount; }
    int maxStretch() const { return layout->maxStretch; }

    // pnl_blinkmuster: four outputs, images 481 x 41, table block 1.
    static PatternPanelConfig blink();
    // pnl_led_blinkmuster: ten outputs, images 481 x 38, table blocks 1..4.
    static PatternPanelConfig led();
};
