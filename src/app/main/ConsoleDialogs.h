#pragma once
// The dialogs of a run without a screen: messages go to standard error, every question is answered
// with its cancelling button and no file is chosen.

#include "Dialogs.h"

class ConsoleDialogs : public Dialogs {
public:
    QString openFileName(QWidget* parent, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                         const QString& proposedName) override;
    QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    void openUrl(const QUrl& url) override;
    // Without a window to ask in, no folder is chosen.
    QString existingFolder(QWidget* parent, const QString& title) override;
};
