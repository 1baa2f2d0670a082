#include "StatusPanelBar.h"

#include "QtText.h"
#include "image/Firmware.h"

#include <QLabel>

namespace {

// What each panel holds at its widest usually; the file name takes what is left of the window.
const std::array<QString, StatusPanelBar::kPanelCount - 1> kSamples = {
    QStringLiteral("00"), QStringLiteral("V 0.00"), QStringLiteral("ohne"),
    QStringLiteral("LED-Dekoder - Funktionsdekoder")};

} // namespace

StatusPanelBar::StatusPanelBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setToolTip(QStringLiteral("Anzeige der HEX-Version und des Namens"));
    setSizeGripEnabled(false);

    for (int i = 0; i < kPanelCount; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel") + QString::number(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(3);
        const bool last = i == kPanelCount - 1;
        if (last) {
            // A long path never widens the window.
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        } else {
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(kSamples.at(i)) +
                                   2 * (label->frameWidth() + label->indent()));
        }
        addWidget(label, last ? 1 : 0);
        panels_.at(i) = label;
    }
}

void StatusPanelBar::showFirmware(const hq::Firmware& firmware, const QString& path) {
    const hq::Recognition& recognition = firmware.recognition;
    panels_[HardwareMark]->setText(qs(firmware.scan.hardwareMark));
    panels_[Version]->setText(qs(firmware.scan.version));
    panels_[Protocol]->setText(qs(recognition.protocolStatus));
    panels_[Caption]->setText(qs(recognition.statusCaption()));
    panels_[FileName]->setText(path);
}
