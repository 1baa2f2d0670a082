#include "EditorArea.h"

#include <QVBoxLayout>

EditorArea::EditorArea(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("EditorArea"));
    layout_->setContentsMargins(0, 0, 0, 0);
    // An editor smaller than the area stands at its top left, below the extra value, as it always has.
    layout_->addStretch(1);
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
}

bool EditorArea::inUse() const {
    return editor_ != nullptr && !editor_->isHidden();
}
