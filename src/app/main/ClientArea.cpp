#include "ClientArea.h"

#include "ButtonBox.h"
#include "EditorArea.h"
#include "ImageBox.h"
#include "ParameterGridBox.h"
#include "ZusatzPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

ClientArea::ClientArea(const Views& views, QSize least, QWidget* parent)
    : QWidget(parent), views_(views), least_(least), rightColumn_(new QWidget(this)),
      layout_(new QGridLayout(this)), bottomLeft_(new QHBoxLayout) {
    setObjectName(QStringLiteral("FormMainClient"));
    for (QWidget* view : {static_cast<QWidget*>(views.grid), static_cast<QWidget*>(views.extra),
                          static_cast<QWidget*>(views.buttons), static_cast<QWidget*>(views.picture)})
        view->setParent(this);
    area_ = new EditorArea(rightColumn_);
    auto* right = new QVBoxLayout(rightColumn_);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(views.extra);
    right->addWidget(area_, 1);
    right->addStretch(0);
    bottomLeft_->addWidget(views.buttons, 1);
    layout_->addWidget(views.grid, 0, 0);
    layout_->addLayout(bottomLeft_, 1, 0);
    layout_->setRowStretch(0, 1);
    arrange(false);
}

void ClientArea::arrange(bool editor) {
    if (arranged_ == static_cast<int>(editor))
        return;
    arranged_ = static_cast<int>(editor);
    area_->setVisible(editor);
    views_.buttons->setCompact(editor);
    layout_->removeWidget(views_.picture);
    bottomLeft_->removeWidget(views_.picture);
    layout_->removeWidget(rightColumn_);
    if (editor) {
        bottomLeft_->addWidget(views_.picture);
        layout_->addWidget(rightColumn_, 0, 1, 2, 1);
    } else {
        layout_->addWidget(views_.picture, 1, 1);
        layout_->addWidget(rightColumn_, 0, 1);
    }
    // Without an editor, the grid and the right column share the width as 400 to 320.
    layout_->setColumnStretch(0, editor ? 0 : 5);
    layout_->setColumnStretch(1, editor ? 1 : 4);
}

void ClientArea::settle() {
    for (QWidget* view : {static_cast<QWidget*>(area_), static_cast<QWidget*>(views_.extra),
                          static_cast<QWidget*>(views_.grid), static_cast<QWidget*>(views_.buttons),
                          static_cast<QWidget*>(views_.picture), rightColumn_, static_cast<QWidget*>(this)}) {
        if (QLayout* layout = view->layout()) {
            layout->invalidate();
            layout->activate();
        }
        view->updateGeometry();
    }
}

// An explicit least size would replace what the layout needs instead of adding to it.
QSize ClientArea::minimumSizeHint() const {
    return QWidget::minimumSizeHint().expandedTo(least_);
}

QSize ClientArea::sizeHint() const {
    return QWidget::sizeHint().expandedTo(least_);
}
