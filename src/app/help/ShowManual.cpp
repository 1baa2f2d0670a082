#include "help/ShowManual.h"

#include "help/ManualWindow.h"

ManualWindow* showManual(QWidget* owner, const QString& page) {
    ManualWindow* manual =
        owner != nullptr ? owner->findChild<ManualWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (manual == nullptr) {
        manual = new ManualWindow(owner);
        // Nobody keeps a window without owner: it goes when it is closed.
        if (owner == nullptr)
            manual->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!page.isEmpty() || manual->currentPage().isEmpty())
        manual->showPage(page);
    manual->show();
    manual->raise();
    manual->activateWindow();
    return manual;
}
