#include "EditorArea.h"

#include <QEvent>
#include <QVBoxLayout>

// The room of the editors that place their panels by pixels: as large as what they asked for and as
// what they placed.
class EditorArea::PlacedPanels : public QWidget {
public:
    using QWidget::QWidget;

    QSize asked;
    bool used = false;

    QSize minimumSizeHint() const override {
        QRect placed;
        for (const QObject* child : children()) {
            const auto* panel = qobject_cast<const QWidget*>(child);
            if (panel != nullptr && !panel->isHidden())
                placed |= panel->geometry();
        }
        return asked.expandedTo(QSize(placed.right() + 1, placed.bottom() + 1));
    }
    QSize sizeHint() const override { return minimumSizeHint(); }
};

namespace {

// The window sizes the pixel-placing editors ask for count the grid left of the area and the gaps
// around it, which the area leaves to the window's layout.
constexpr QSize kOutsideTheArea(415, 10);

} // namespace

EditorArea::EditorArea(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("EditorArea"));
    layout_->setContentsMargins(0, 0, 0, 0);
}

void EditorArea::showEditor(QWidget* editor) {
    if (editor_ != nullptr && editor_ != editor)
        editor_->hide();
    editor_ = editor;
    if (editor == nullptr)
        return;
    if (editor->parentWidget() != this)
        editor->setParent(this);
    if (layout_->indexOf(editor) < 0)
        layout_->insertWidget(0, editor);
    editor->show();
    show();
}

void EditorArea::clear() {
    showEditor(nullptr);
    hide();
    if (placed_ != nullptr) {
        placed_->used = false;
        placed_->asked = QSize();
        placed_->hide();
    }
}

bool EditorArea::inUse() const {
    return (editor_ != nullptr && !editor_->isHidden()) || (placed_ != nullptr && placed_->used);
}

QWidget* EditorArea::placedPanelsParent() {
    if (placed_ == nullptr) {
        placed_ = new PlacedPanels(this);
        placed_->setObjectName(QStringLiteral("EditorAreaPlacedPanels"));
        layout_->addWidget(placed_);
        placed_->installEventFilter(this);
    }
    if (!placed_->used) {
        placed_->used = true;
        placed_->show();
        // Shown at once, so the panels are what they look like to the user from the start (a hidden
        // drawing, say, would not end its stroke when its editor lets go of it).
        show();
        emit roomChanged();
    }
    return placed_;
}

EditorRoom EditorArea::room() const {
    EditorRoom room;
    if (placed_ != nullptr) {
        room.area = QRect(QPoint(0, 0), placed_->size().expandedTo(placed_->minimumSizeHint()));
        room.buttonRowTop = room.area.bottom() + 1;
    }
    return room;
}

EditorRoom EditorArea::makeRoom(QSize windowSize) {
    QWidget* parent = placedPanelsParent();
    placed_->asked = (windowSize - kOutsideTheArea).expandedTo(QSize(0, 0));
    parent->updateGeometry();
    emit roomChanged();
    return room();
}

bool EditorArea::eventFilter(QObject* watched, QEvent* event) {
    // A panel placed, moved, resized, shown or hidden: the room follows.
    if (watched == placed_ && event->type() == QEvent::ChildAdded) {
        if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
            child->installEventFilter(this);
    } else if (watched != placed_ && placed_ != nullptr && watched->parent() == placed_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            placed_->updateGeometry();
            emit roomChanged();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
