#include "WrappedLabel.h"

#include <QEvent>

WrappedLabel::WrappedLabel(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
}

int WrappedLabel::heightForWidth(int width) const {
    if (text() != measuredText_) {
        heights_.clear();
        measuredText_ = text();
    }
    const auto known = heights_.find(width);
    if (known != heights_.end())
        return known->second;
    const int height = QLabel::heightForWidth(width);
    heights_.emplace(width, height);
    return height;
}

void WrappedLabel::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::ContentsRectChange:
        heights_.clear();
        break;
    default:
        break;
    }
    QLabel::changeEvent(event);
}
