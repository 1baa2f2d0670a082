#include "FileController.h"

#include "FileWriting.h"

#include "Dialogs.h"
#include "Dlg_info.h"
#include "QtText.h"
#include "RecentFiles.h"
#include "document/FirmwareDocument.h"
#include "image/RecognitionFailure.h"
#include "io/WriteFile.h"
#include "settings/RowsAsRead.h"
#include "sheet/SettingsSheet.h"

#include <QFileInfo>
#include <QPrinter>
#include <QWidget>

FileController::FileController(QWidget& window, FirmwareDocument& document)
    : QObject(&window), window_(window), document_(document), recent_(new RecentFiles(this)) {
    Dialogs::setStartFolder(recent_->lastFolder());
}

bool FileController::loadFile(const QString& path) {
    // Read into a firmware of its own first: a refused file leaves everything as it was.
    hq::Result<hq::Firmware> loaded = hq::loadFirmwareFile(localPath(path));
    if (!loaded) {
        warningOk(&window_, qs(loaded.message()));
        return false;
    }
    // A text that is no known firmware is refused as a whole: taking it in would show an empty grid
    // under its name and let "HEX speichern" write it out with EEPROM records made up for it.
    if (!loaded->recognition.hasCaptions()) {
        warningOk(&window_, qs(hq::unrecognisedFileMessage(loaded->image)));
        return false;
    }
    emit aboutToLoad();
    document_.load(std::move(loaded.value()), path);
    recent_->add(path);
    Dialogs::setStartFolder(recent_->lastFolder());
    if (const std::string warning = hq::badRecordWarning(document_.firmware().image); !warning.empty())
        warningOk(&window_, qs(warning));
    emit fileLoaded();
    return true;
}

void FileController::open() {
    if (!maySwitchAway())
        return;
    const QString path = Dialogs::instance().openFileName(&window_, hexFileFilter());
    if (!path.isEmpty())
        loadFile(path);
}

void FileController::openRecent(const QString& path) {
    if (!maySwitchAway())
        return;
    if (!loadFile(path) && !QFileInfo::exists(path))
        recent_->remove(path);
}

void FileController::openDropped(const QString& path) {
    if (maySwitchAway())
        loadFile(path);
}

bool FileController::maySwitchAway() {
    if (!document_.isModified())
        return true;
    const QString name = QFileInfo(document_.path()).fileName();
    switch (
        askSaveDiscardCancel(&window_, tr("Die Änderungen an %1 sind noch nicht gespeichert.").arg(name))) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool FileController::save() {
    if (!document_.isLoaded())
        return false;
    if (document_.hasPendingEditorChanges()) {
        if (!askYesNo(&window_, QStringLiteral("Geänderte Werte übernehmen?"))) {
            emit note(tr("Nicht gespeichert: die Änderungen im Editor sind nicht übernommen."));
            return false;
        }
        document_.acceptEditorChanges();
    }
    const hq::FirmwareSettings settings = document_.edited();
    hq::Firmware saved = document_.firmware();
    if (const auto problem = hq::applySettings(saved, settings, hq::ApplyOptions{true})) {
        warningCancel(&window_, qs(problem->message));
        emit problemFound(problem->field, problem->row);
        return false;
    }
    // A HELL level the file cannot hold is saved only when the user agrees to what it becomes.
    if (const auto conflict = hq::neonHellConflict(document_.firmware(), settings)) {
        if (!askSaveCancel(&window_, qs(conflict->message) + tr("\n\nTrotzdem speichern?")))
            return false;
    }
    if (!mayRecomputeChecksums(saved))
        return false;

    const QString path =
        Dialogs::instance().saveFileName(&window_, hexFileFilter(), QStringLiteral("hex"), document_.path());
    if (path.isEmpty() || !writeFile(path, saved))
        return false;
    // The saved file as a reload reads it: what the window shows from now on.
    hq::Result<hq::Firmware> reloaded = hq::loadFirmware(hq::hexImageText(saved.image));
    document_.markSaved(reloaded ? std::move(*reloaded) : std::move(saved), path);
    recent_->add(path);
    Dialogs::setStartFolder(recent_->lastFolder());
    return true;
}

bool FileController::mayRecomputeChecksums(const hq::Firmware& saved) {
    const std::string text =
        hq::recomputedChecksumText(hq::recomputedChecksumLines(document_.firmware().image, saved.image));
    return text.empty() || askSaveCancel(&window_, qs(text) + tr("\n\nTrotzdem speichern?"));
}

bool FileController::writeFile(const QString& path, const hq::Firmware& firmware) {
    // The file is written beside the target, flushed to the disk and renamed over it only when
    // complete. (QSaveFile was not used: on a full tmpfs it reported success and left an empty file
    // in place of the old one.)
    return writeFileAsking(&window_, path, hq::hexImageText(firmware.image),
                           QStringLiteral("Das HEX-File konnte nicht gespeichert werden:\n%1").arg(path));
}

void FileController::printSheet() {
    if (!document_.isLoaded())
        return;
    QPrinter printer(QPrinter::HighResolution);
    prepareSheetPage(printer);
    printer.setDocName(QFileInfo(document_.path()).completeBaseName());
    if (!Dialogs::instance().choosePrinter(&window_, printer))
        return;
    if (paintSettingsSheet(printer, document_.firmware(), document_.shown(), document_.path()) == 0)
        warningOk(&window_, tr("Das Einstellungs-Blatt konnte nicht gedruckt werden."));
}

void FileController::saveSheetAsPdf() {
    if (!document_.isLoaded())
        return;
    const QString proposed = QFileInfo(document_.path()).completeBaseName() + QStringLiteral(".pdf");
    const QString path = Dialogs::instance().saveFileName(&window_, QStringLiteral("PDF (*.pdf);;*.* (*)"),
                                                          QStringLiteral("pdf"), proposed);
    if (path.isEmpty())
        return;
    QStringList warnings;
    const std::optional<hq::io::WriteOptions> options = writeOptionsAsking(&window_, path, &warnings);
    if (!options)
        return;
    QString error;
    const bool saved = saveSettingsSheetPdf(path, document_.firmware(), document_.shown(), document_.path(),
                                            &error, *options);
    showWriteWarnings(&window_, warnings);
    if (!saved)
        warningOk(&window_, error);
}

void FileController::showInfo() {
    if (!document_.isLoaded())
        return;
    TfrmInfo dialog(&document_.firmware(), &window_);
    dialog.exec();
}
