#include "ImageBox.h"

#include "pictures/Pictures.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QVBoxLayout>

ImageBox::ImageBox(QWidget* parent) : QGroupBox(parent), image_(new QLabel(this)) {
    setObjectName(QStringLiteral("GroupBoxImage"));
    image_->setObjectName(QStringLiteral("Image2"));
    image_->setToolTip(QStringLiteral("Zur WebSite"));
    image_->setPixmap(pictures::logo());
    // The label ignores mouse presses, so a click on the picture reaches the box.
    image_->setCursor(Qt::PointingHandCursor);
    setCursor(Qt::PointingHandCursor);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(image_, 0, Qt::AlignCenter);
}

void ImageBox::mousePressEvent(QMouseEvent* event) {
    event->setAccepted(event->button() == Qt::LeftButton);
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}
