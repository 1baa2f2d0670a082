#include "ServoEditorArea.h"

#include "Metrics.h"

#include <QEvent>
#include <QGridLayout>
#include <QRegion>

namespace {

// Between the curve panel and the assignment tabs below it.
constexpr int kPanelGap = 5;

} // namespace

ServoEditorArea::ServoEditorArea(QWidget* curves, QWidget* preview, QWidget* settings, QWidget* parent)
    : QWidget(parent), curves_(curves), preview_(preview), settings_(settings) {
    setObjectName(QStringLiteral("servo_area"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(kPreviewGap);
    grid->setVerticalSpacing(kPanelGap);
    grid->addWidget(curves, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(preview, 0, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(settings, 1, 0, Qt::AlignRight);
    // Room to spare goes to the tabs below and stays empty right of the preview.
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(2, 1);
}

bool ServoEditorArea::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The layout has placed the panels by now (it does so before the area sees the event).
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest ||
        event->type() == QEvent::Show)
        followPanels();
    return handled;
}

void ServoEditorArea::followPanels() {
    QRegion panels;
    for (const QWidget* panel : {curves_, preview_, settings_}) {
        if (!panel->isHidden())
            panels += panel->geometry();
    }
    if (panels != mask())
        setMask(panels);
}
