#pragma once
// GroupBoxImage with the picture Image2, kept in the middle of the box by its layout whatever the
// box's size. A click on the picture or the box emits clicked().

#include <QGroupBox>

class QLabel;

class ImageBox : public QGroupBox {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);

    QLabel* image() const { return image_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* image_;
};
