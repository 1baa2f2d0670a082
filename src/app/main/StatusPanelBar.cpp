#include "StatusPanelBar.h"

#include <QLabel>

StatusPanelBar::StatusPanelBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setToolTip(QStringLiteral("Anzeige der HEX-Version und des Namens"));
    setSizeGripEnabled(false);

    constexpr std::array<int, kPanelCount> widths = {30, 50, 50, 250, 50};
    for (int i = 0; i < kPanelCount; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel") + QString::number(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(3);
        const bool last = i == kPanelCount - 1;
        if (last) {
            // The file name takes what is left of the window's width; a long path never widens it.
            label->setMinimumWidth(widths.at(i));
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        } else {
            label->setFixedWidth(widths.at(i));
        }
        addWidget(label, last ? 1 : 0);
        panels_.at(i) = label;
    }
}

void StatusPanelBar::setPanelText(int panel, const QString& text) {
    panels_.at(panel)->setText(text);
}

QString StatusPanelBar::panelText(int panel) const {
    return panels_.at(panel)->text();
}
