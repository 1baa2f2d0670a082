#include "UndoKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

bool isUndoOrRedo(const QKeyEvent* key) {
    const QKeyCombination combination = key->keyCombination();
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           combination == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
           combination == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
}

} // namespace

UndoKeys::UndoKeys(QWidget& window) : QObject(&window), window_(&window) {
    qApp->installEventFilter(this);
}

UndoKeys::~UndoKeys() {
    qApp->removeEventFilter(this);
}

bool UndoKeys::eventFilter(QObject* watched, QEvent* event) {
    // Only the pointer of the window is compared, never called: the filter may see events while the
    // window is being destroyed.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == window_ && isUndoOrRedo(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
