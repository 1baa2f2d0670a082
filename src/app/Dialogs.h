#pragma once
// Every file dialog, message box and shell "open" of the program goes through this interface, so
// tests can replace it, read the exact German texts and never block.

#include <QMessageBox>
#include <QString>
#include <QUrl>

class QWidget;

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The chosen file, or an empty string when the dialog was cancelled.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                 const QString& proposedName) = 0;

    // A message box with the given icon and buttons; returns the button pressed.
    virtual QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                                QMessageBox::StandardButtons buttons) = 0;

    // Asks the desktop shell to open a web page.
    virtual void openUrl(const QUrl& url) = 0;

    // The instance in use (real dialogs unless a test installed another one).
    static Dialogs& instance();
    // Installs `dialogs` (not owned); nullptr restores the real dialogs.
    static void install(Dialogs* dialogs);
};

// Shorthands for the message boxes the Parts use.
void warningOk(QWidget* parent, const QString& text);     // warning, OK
void warningCancel(QWidget* parent, const QString& text); // warning, the single button Cancel
bool askYesNo(QWidget* parent, const QString& text);      // warning, Yes and No; true for Yes
