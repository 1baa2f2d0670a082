// The sheet put together from its sections, and the PDF helpers around it.

#include "sheet/SettingsSheet.h"

#include "QtText.h"
#include "io/WriteFile.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetContent.h"
#include "sheet/SheetMarks.h"
#include "sheet/SheetPages.h"
#include "sheet/SheetSections.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>

#include <filesystem>

void prepareSheetPage(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

namespace settings_sheet {
namespace {

// Lays out the whole sheet with `builder` (which its blocks paint through, so it lives until the
// pages are painted); returns the footer.
QString buildSheet(sheet::SheetBuilder& builder, const hq::Firmware& firmware,
                   const hq::FirmwareSettings& settings, const QString& fileName,
                   const QDateTime& printedAt) {
    const hq::Recognition& recognition = firmware.recognition;
    const sheet::SheetMarks marks = sheet::sheetMarks(firmware, settings, fileName);
    if (marks.unsaved)
        builder.pages().setBanner(sheet::unsavedBanner(marks));

    const QString caption =
        recognition.kind == 0 ? QStringLiteral("Firmware nicht erkannt") : qs(recognition.statusCaption());
    builder.title(QStringLiteral("HEX Quendrabolt · Einstellungsblatt"), caption);
    builder.infoLines(sheet::infoLines(firmware, fileName, printedAt));
    if (const std::string warning = hq::badRecordWarning(firmware.image); !warning.empty())
        builder.warningBox(qs(warning));
    if (!marks.saveRefusal.isEmpty())
        builder.warningBox(QStringLiteral("„HEX speichern“ lehnt diese Werte ab und schreibt nichts: ") +
                           marks.saveRefusal);
    if (marks.unsaved)
        builder.paragraph(
            QStringLiteral("Blau markiert: geändert, nicht gespeichert; daneben der Wert in der "
                           "Datei. Rot markiert: wird beim Speichern abgelehnt."),
            sheet::FontRole::Small, sheet::kChangedColour);

    builder.heading(QStringLiteral("Ausgänge"));
    if (const QString reason = sheet::noRowsReason(recognition); !reason.isEmpty())
        builder.paragraph(reason);
    else {
        std::vector<sheet::RowEntry> rows = sheet::rowEntries(firmware, settings, &marks);
        const QStringList notes = sheet::takeSharedNotes(rows);
        builder.rowTable(recognition, rows);
        for (const QString& note : notes)
            builder.paragraph(QStringLiteral("Hinweis: ") + note, sheet::FontRole::Small,
                              sheet::kMutedColour);
    }

    if (const QString extra = sheet::extraLine(recognition, settings, marks.extra); !extra.isEmpty()) {
        builder.heading(QStringLiteral("Zusatzwert"));
        builder.valueParagraph(extra, marks.extra);
        builder.paragraph(sheet::extraHint(recognition), sheet::FontRole::Small, sheet::kMutedColour);
    }

    if (settings.servo)
        sheet::addServoSection(builder, *settings.servo, marks);
    if (settings.patterns)
        sheet::addPatternSection(builder, *settings.patterns, recognition.panel(), marks);
    if (settings.neon)
        sheet::addNeonSection(builder, *settings.neon, marks);
    if (settings.house)
        sheet::addHouseSection(builder, *settings.house, marks);

    const QString shortName = QFileInfo(fileName).fileName();
    QString footer = QStringLiteral("Einstellungsblatt · ") + (shortName.isEmpty() ? caption : shortName);
    if (marks.unsaved)
        footer += QStringLiteral(" · nicht gespeichert");
    return footer;
}

} // namespace
} // namespace settings_sheet

int paintSettingsSheet(QPagedPaintDevice& device, const hq::Firmware& firmware,
                       const hq::FirmwareSettings& settings, const QString& fileName,
                       const QDateTime& printedAt) {
    sheet::SheetPages pages(device);
    sheet::SheetBuilder builder(pages);
    const QString footer = settings_sheet::buildSheet(builder, firmware, settings, fileName, printedAt);
    return pages.paint(footer);
}

int paintSettingsSheet(QPainter& painter, QPagedPaintDevice& device, const hq::Firmware& firmware,
                       const hq::FirmwareSettings& settings, const QString& fileName,
                       const QDateTime& printedAt) {
    sheet::SheetPages pages(device);
    sheet::SheetBuilder builder(pages);
    const QString footer = settings_sheet::buildSheet(builder, firmware, settings, fileName, printedAt);
    return pages.paint(painter, footer);
}

QByteArray settingsSheetPdf(const hq::Firmware& firmware, const hq::FirmwareSettings& settings,
                            const QString& fileName, const QDateTime& printedAt) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        prepareSheetPage(writer);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("HEX Quendrabolt"));
        const bool unsaved = !(settings == hq::readSettings(firmware));
        writer.setTitle(QStringLiteral("Einstellungsblatt – ") + qs(firmware.recognition.statusCaption()) +
                        (unsaved ? QStringLiteral(" (nicht gespeichert)") : QString()));
        if (paintSettingsSheet(writer, firmware, settings, fileName, printedAt) == 0)
            return {};
    }
    return buffer.data();
}

bool saveSettingsSheetPdf(const QString& out, const hq::Firmware& firmware,
                          const hq::FirmwareSettings& settings, const QString& fileName, QString* error,
                          const hq::io::WriteOptions& options) {
    // Writing the sheet over the HEX file it describes would lose the firmware.
    std::error_code ec;
    if (std::filesystem::equivalent(localPath(out), localPath(fileName), ec)) {
        if (error)
            *error = QStringLiteral(
                         "Das Einstellungsblatt kann nicht über das HEX-File \"%1\" geschrieben werden.")
                         .arg(fileName);
        return false;
    }
    const QByteArray pdf = settingsSheetPdf(firmware, settings, fileName);
    if (pdf.isEmpty()) {
        if (error)
            *error = QStringLiteral("Das Einstellungsblatt konnte nicht erstellt werden.");
        return false;
    }
    const hq::Status written = hq::io::writeFileReplacing(
        localPath(out), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), options);
    if (!written) {
        if (error)
            *error = qs(written.message());
        return false;
    }
    return true;
}

int writeSettingsSheetPdf(const QString& out, const QString& hexFile, QString* error) {
    hq::Result<hq::Firmware> loaded = hq::loadFirmwareFile(localPath(hexFile));
    if (!loaded) {
        if (error)
            *error = qs(loaded.message());
        return 1;
    }
    const hq::Firmware& firmware = *loaded;
    if (firmware.recognition.kind == 0 || !firmware.recognition.hasCaptions()) {
        if (error)
            *error = QStringLiteral("Das HEX-File konnte leider nicht erkannt werden");
        return 1;
    }
    const QString name = QFileInfo(hexFile).absoluteFilePath();
    return saveSettingsSheetPdf(out, firmware, hq::readSettings(firmware), name, error) ? 0 : 1;
}
