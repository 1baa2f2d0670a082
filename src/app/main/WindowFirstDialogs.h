#pragma once

#include "Dialogs.h"

// Dialogs that show a window before they ask or tell anything. While the file given at start loads
// into the window not yet shown, what is said about it (not found, no known firmware, damaged
// lines) stands over the window, as after any later load, not alone on the desktop.
class WindowFirstDialogs : public Dialogs {
public:
    WindowFirstDialogs(Dialogs& inner, QWidget& window);

    QString openFileName(QWidget* parent, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                         const QString& proposedName) override;
    QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    void openUrl(const QUrl& url) override;
    bool confirmList(QWidget* parent, const QString& title, const QString& intro,
                     const QStringList& lines) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    QString existingFolder(QWidget* parent, const QString& title) override;

private:
    Dialogs& inner_;
    QWidget& window_;
};
