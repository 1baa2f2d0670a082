#pragma once
// A stand-in for the main window: the button and picture boxes the pattern editors narrow, the
// minimum-count controls of pnl_Zusatz, and a firmware built from a test text.

#include "../../core/light/PatternFirmware.h"
#include "image/Firmware.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>

struct LightTestWindow {
    QWidget window;
    QGroupBox* buttons;
    QGroupBox* image;
    QLineEdit* minimum;
    QLabel* minimumLabel;
    QSpinBox* upDown;

    LightTestWindow() {
        window.resize(750, 630);
        buttons = new QGroupBox(&window);
        buttons->setObjectName(QStringLiteral("GroupBoxButtons"));
        buttons->setGeometry(5, 485, 500, 80);
        image = new QGroupBox(&window);
        image->setObjectName(QStringLiteral("GroupBoxImage"));
        image->setGeometry(508, 485, 237, 80);
        minimumLabel = new QLabel(QStringLiteral("Mindestanzahl (1..9)"), &window);
        minimumLabel->setObjectName(QStringLiteral("lbl_MindestAnzahl"));
        minimum = new QLineEdit(QStringLiteral("9"), &window);
        minimum->setObjectName(QStringLiteral("edt_mindestAnzahl"));
        upDown = new QSpinBox(&window);
        upDown->setObjectName(QStringLiteral("UpDown5"));
        for (QWidget* w : {static_cast<QWidget*>(minimumLabel), static_cast<QWidget*>(minimum),
                           static_cast<QWidget*>(upDown)})
            w->hide();
    }
};

inline hq::Firmware firmwareOf(const hq::test::FirmwareText& text) {
    auto firmware = hq::loadFirmware(text.text());
    return firmware.ok() ? *firmware : hq::Firmware{};
}
