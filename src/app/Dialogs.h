#pragma once
// Every file dialog, message box and shell "open" of the program goes through this interface, so
// tests can replace it, read the exact German texts and never block.

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>

class QPrinter;
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

    // Shows `intro` and the list `lines` and asks whether to go on ("Übernehmen" / "Abbrechen");
    // true to go on. The real dialog shows a scrollable list.
    virtual bool confirmList(QWidget* parent, const QString& title, const QString& intro,
                             const QStringList& lines);

    // Lets the user choose a printer and its settings for `printer`; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer);

    // The chosen folder (a layout), or an empty string when the dialog was cancelled.
    virtual QString existingFolder(QWidget* parent, const QString& title);

    // The folder the real file dialogs start in (the last one used).
    static void setStartFolder(const QString& folder);
    static QString startFolder();

    // The instance in use (real dialogs unless a test installed another one).
    static Dialogs& instance();
    // Installs `dialogs` (not owned); nullptr restores the real dialogs.
    static void install(Dialogs* dialogs);
};

// Shorthands for the message boxes the Parts use.
void warningOk(QWidget* parent, const QString& text);     // warning, OK
void warningCancel(QWidget* parent, const QString& text); // warning, the single button Cancel
bool askYesNo(QWidget* parent, const QString& text);      // warning, Yes and No; true for Yes
// Warning with "Speichern", "Verwerfen", "Abbrechen"; returns Save, Discard or Cancel.
QMessageBox::StandardButton askSaveDiscardCancel(QWidget* parent, const QString& text);
// Warning with "Speichern" and "Abbrechen"; true for Speichern.
bool askSaveCancel(QWidget* parent, const QString& text);
