#pragma once
// What opens, asks about and saves the window's files: "HEX laden", the recent files and a dropped
// file (each asking first while something is not saved), "HEX speichern" with its checks and
// questions, the printed and PDF settings sheet and the "Info" dialog. It works on the window's
// document and talks to the user only through the dialogs seam; the window follows the document.

#include "settings/FirmwareSettings.h"

#include <QObject>
#include <QString>

class FirmwareDocument;
class RecentFiles;
class QWidget;

class FileController : public QObject {
    Q_OBJECT
public:
    // `window` is the parent of every dialog.
    FileController(QWidget& window, FirmwareDocument& document);

    RecentFiles* recentFiles() const { return recent_; }

    // Loads `path` as if it had been chosen in the open dialog, without asking about unsaved changes.
    // A file that cannot be read or holds no known firmware shows the reason and leaves everything as
    // it was; returns whether the file was loaded.
    bool loadFile(const QString& path);
    // "HEX laden": asks about unsaved changes, then the open dialog.
    void open();
    // A recent file or a dropped file, after asking; a recent file that is gone leaves the list.
    void openRecent(const QString& path);
    void openDropped(const QString& path);

    // While something is not saved: asks "Speichern", "Verwerfen" or "Abbrechen"; true when the edits
    // may go (saved or discarded), false to keep them.
    bool maySwitchAway();
    // "HEX speichern": the checks and questions, then the file dialog; false when refused or cancelled.
    bool save();

    // "Drucken…" and "Als PDF speichern…": the settings sheet of what the window shows.
    void printSheet();
    void saveSheetAsPdf();
    // "Info": the EEPROM bytes and every line of the file.
    void showInfo();

signals:
    // A new firmware is about to replace the loaded one (the editors let go of it first).
    void aboutToLoad();
    // A firmware was loaded and shown.
    void fileLoaded();
    // The save refused the value of a field: the field gets the focus.
    void problemFound(hq::FocusField field, int row);
    // A short note for the status bar.
    void note(const QString& text);

private:
    bool writeFile(const QString& path, const hq::Firmware& firmware);
    // Asks before writing a file in which checksums wrong in the input are recomputed.
    bool mayRecomputeChecksums(const hq::Firmware& saved);

    QWidget& window_;
    FirmwareDocument& document_;
    RecentFiles* recent_;
};
