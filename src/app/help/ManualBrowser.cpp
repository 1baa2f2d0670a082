#include "help/ManualBrowser.h"

#include <QImage>
#include <QTextDocument>

ManualBrowser::ManualBrowser(QWidget* parent) : QTextBrowser(parent) {}

int ManualBrowser::pictureWidth() const {
    return fontMetrics().averageCharWidth() * 90;
}

QVariant ManualBrowser::loadResource(int type, const QUrl& name) {
    const QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::ImageResource || resource.typeId() != QMetaType::QByteArray)
        return resource;
    QImage picture = QImage::fromData(resource.toByteArray());
    const qreal ratio = devicePixelRatioF();
    const int widest = qRound(pictureWidth() * ratio);
    if (picture.isNull() || picture.width() <= widest)
        return resource;
    picture = picture.scaledToWidth(widest, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    return picture;
}
