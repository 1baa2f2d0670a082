#include "SettingsTransfer.h"

#include "Dialogs.h"
#include "FileWriting.h"
#include "QtText.h"
#include "SettingsJson.h"
#include "document/FirmwareDocument.h"
#include "image/RecognitionFailure.h"
#include "io/ReadFile.h"
#include "io/WriteFile.h"
#include "settings/FirmwareSettings.h"

#include <QFileInfo>
#include <QStringList>

namespace {

const QString kJsonFilter = QStringLiteral("JSON (*.json);;*.* (*)");
constexpr std::uintmax_t kMaxSettingsFileSize = 4 * 1024 * 1024;

QString kindText(const hq::Recognition& recognition) {
    return QStringLiteral("Art %1 (%2)").arg(recognition.kind).arg(qs(recognition.statusCaption()));
}

} // namespace

SettingsTransfer::SettingsTransfer(QWidget& window, FirmwareDocument& document)
    : QObject(&window), window_(window), document_(document) {}

void SettingsTransfer::exportSettings() {
    if (!document_.isLoaded()) {
        return;
    }
    // What the window shows, with the editors' working copies; checked as a save checks it, so an
    // exported file always applies.
    const hq::FirmwareSettings shown = document_.shown();
    hq::Firmware check = document_.firmware();
    if (const auto problem = hq::applySettings(check, shown, hq::ApplyOptions{true})) {
        warningCancel(&window_, QString::fromStdString(problem->message));
        return;
    }
    const QString proposed = QFileInfo(document_.path()).completeBaseName() + QStringLiteral(".json");
    const QString path =
        Dialogs::instance().saveFileName(&window_, kJsonFilter, QStringLiteral("json"), proposed);
    if (path.isEmpty()) {
        return;
    }
    writeFileAsking(&window_, path, hq::settingsJsonText(document_.firmware(), shown));
}

void SettingsTransfer::importSettings() {
    if (!document_.isLoaded()) {
        return;
    }
    const QString path = Dialogs::instance().openFileName(&window_, kJsonFilter);
    if (path.isEmpty()) {
        return;
    }
    const hq::Result<std::string> text = hq::io::readRegularFile(localPath(path), kMaxSettingsFileSize);
    if (!text) {
        warningOk(&window_, QString::fromStdString(text.message()));
        return;
    }
    const hq::Result<hq::FirmwareSettings> taken =
        hq::settingsFromJsonText(document_.firmware(), document_.shown(), *text);
    if (!taken) {
        warningOk(&window_, QString::fromStdString(taken.message()));
        return;
    }
    document_.replaceSettings(tr("Einstellungen aus %1 importiert").arg(QFileInfo(path).fileName()), *taken);
}

void SettingsTransfer::takeOverSettings() {
    if (!document_.isLoaded()) {
        return;
    }
    const QString path = Dialogs::instance().openFileName(&window_, hexFileFilter());
    if (path.isEmpty()) {
        return;
    }
    const QString name = QFileInfo(path).fileName();
    const hq::Result<hq::Firmware> other = hq::loadFirmwareFile(localPath(path));
    if (!other) {
        warningOk(&window_, QString::fromStdString(other.message()));
        return;
    }
    if (!other->recognition.hasCaptions()) {
        warningOk(&window_, QString::fromStdString(hq::unrecognisedFileMessage(other->image)));
        return;
    }
    const hq::Firmware& firmware = document_.firmware();
    if (other->recognition.kind != firmware.recognition.kind) {
        warningOk(&window_,
                  tr("Einstellungen lassen sich nur zwischen HEX-Dateien derselben Firmware-Art übernehmen:\n"
                     "%1 enthält %2, geladen ist %3.")
                      .arg(name, kindText(other->recognition), kindText(firmware.recognition)));
        return;
    }
    // The same way as `show --settings` of the other file applied to this one.
    const hq::Result<hq::FirmwareSettings> taken = hq::settingsFromJsonText(
        firmware, document_.shown(), hq::settingsJsonText(*other, hq::readSettings(*other)));
    if (!taken) {
        warningOk(&window_, QString::fromStdString(taken.message()));
        return;
    }
    const std::vector<hq::SettingsChange> changes = hq::settingsChanges(firmware, document_.shown(), *taken);
    if (changes.empty()) {
        Dialogs::instance().message(
            &window_, QMessageBox::Information,
            tr("%1 enthält dieselben Einstellungen; es gibt nichts zu übernehmen.").arg(name),
            QMessageBox::Ok);
        return;
    }
    QStringList lines;
    for (const hq::SettingsChange& change : changes) {
        lines << QString::fromStdString(change.text());
    }
    // The source named with its protocol: a value from a DCC file may lie outside an MM file's range.
    QStringList source{qs(other->recognition.statusCaption())};
    for (const std::string_view part :
         {hq::protocolName(other->recognition.protocol), std::string_view(other->scan.version)}) {
        if (!part.empty())
            source << qs(part);
    }
    const QString intro = tr("Aus %1 (%2) werden diese Werte übernommen; gespeichert wird erst mit "
                             "\"HEX speichern\":")
                              .arg(name, source.join(QStringLiteral(", ")));
    if (!Dialogs::instance().confirmList(&window_, tr("Einstellungen übernehmen"), intro, lines)) {
        return;
    }
    document_.replaceSettings(tr("Einstellungen aus %1 übernommen").arg(name), *taken);
}
