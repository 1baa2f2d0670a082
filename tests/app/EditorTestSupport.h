#pragma once
// What the editor tests share: mouse strokes and typed entries sent to an editor's controls as a user
// makes them, and the check every edit made that way has to pass: it is one undo step, undoing it
// gives back the document's state before it (a document that was unmodified is so again), redoing it
// gives back the state after it, and the change mark of the control it changed follows. The check
// answers with what went wrong, so a failing QCOMPARE against an empty text names it.

#include "ChangeMark.h"
#include "document/FirmwareDocument.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QString>
#include <QTest>
#include <QUndoStack>
#include <QWidget>

#include <functional>
#include <vector>

namespace editortest {

inline void sendMouse(QWidget* target, QEvent::Type type, QPoint position, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(position), QPointF(target->mapToGlobal(position)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Presses the left button at the first point, drags through the others with the button held and
// releases it at the last. (QTest::mouseMove does not carry the held button.)
inline void drag(QWidget* canvas, const std::vector<QPoint>& points) {
    sendMouse(canvas, QEvent::MouseButtonPress, points.front(), Qt::LeftButton, Qt::LeftButton);
    for (const QPoint& p : points)
        sendMouse(canvas, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    sendMouse(canvas, QEvent::MouseButtonRelease, points.back(), Qt::LeftButton, Qt::NoButton);
}

// A left click: press and release at one point.
inline void click(QWidget* canvas, QPoint at) {
    drag(canvas, {at});
}

// Types `text` into `edit` as one entry: the old text selected, the keys one by one (each a change of
// the text), then Return to finish the entry.
inline void typeEntry(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Runs `edit` and checks it as above; `marked` (may be null) is the control that shows a change mark
// after the edit and after redo, and after undo only when it had one before.
inline QString oneStepProblem(FirmwareDocument& document, const std::function<void()>& edit,
                              const QWidget* marked = nullptr) {
    QUndoStack* stack = document.undoStack();
    const FirmwareDocument::State before = document.state();
    const bool modifiedBefore = document.isModified();
    const bool markedBefore = hasChangeMark(marked);
    const int index = stack->index();
    edit();
    if (stack->index() != index + 1 || stack->count() != index + 1)
        return QStringLiteral("%1 steps instead of one").arg(stack->index() - index);
    if (stack->undoText().isEmpty())
        return QStringLiteral("a step without a name");
    if (!modifiedBefore && !document.isModified())
        return QStringLiteral("not modified after the edit");
    if (marked != nullptr && !hasChangeMark(marked))
        return QStringLiteral("no mark after the edit");
    const FirmwareDocument::State after = document.state();
    stack->undo();
    if (!(document.state() == before))
        return QStringLiteral("undo does not give back the state before the edit");
    if (document.isModified() != modifiedBefore)
        return QStringLiteral("undo does not give back whether the document was modified");
    if (marked != nullptr && hasChangeMark(marked) != markedBefore)
        return QStringLiteral("the mark does not follow undo");
    stack->redo();
    if (!(document.state() == after))
        return QStringLiteral("redo does not give back the state after the edit");
    if (marked != nullptr && !hasChangeMark(marked))
        return QStringLiteral("no mark after redo");
    return {};
}

} // namespace editortest
