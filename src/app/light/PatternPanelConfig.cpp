#include "light/PatternPanelConfig.h"

PatternPanelConfig PatternPanelConfig::blink() {
    return {hq::Panel::Blink,
            &hq::kBlinkLayout,
            QStringLiteral("pnl_blinkmuster"),
            QStringLiteral("blinkmuster_"),
            QStringLiteral("Image_Blink"),
            41};
}

PatternPanelConfig PatternPanelConfig::led() {
    return {hq::Panel::Led,
            &hq::kLedLayout,
            QStringLiteral("pnl_led_blinkmuster"),
            QStringLiteral("led_blinkmuster_"),
            QStringLiteral("Image_led_Blink"),
            38};
}
