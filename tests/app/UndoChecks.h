#pragma once
// What the editor tests ask of every edit made through an editor's controls: it is one undo step,
// undoing it gives back the document's state before it (a document that was unmodified is so again),
// redoing it gives back the state after it, and the change mark of the control it changed follows.
// The check answers with what went wrong, so a failing QCOMPARE against an empty text names it.

#include "ChangeMark.h"
#include "document/FirmwareDocument.h"

#include <QString>
#include <QUndoStack>
#include <QWidget>

#include <functional>

namespace undocheck {

// Runs `edit` and checks it as above; `marked` (may be null) is the control that shows a change mark
// after the edit and after redo, and none after undo when it had none before.
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
    if (!document.isModified())
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

} // namespace undocheck
