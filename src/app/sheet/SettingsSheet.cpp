// The sheet put together from its sections, and the PDF helpers around it.

#include "sheet/SettingsSheet.h"

#include "QtText.h"
#include "io/WriteFile.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetContent.h"
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

int paintSettingsSheet(QPagedPaintDevice& device, const hq::Firmware& firmware,
                       const hq::FirmwareSettings& settings, const QString& fileName,
                       const QDateTime& printedAt) {
    const hq::Recognition& recognition = firmware.recognition;
    sheet::SheetPages pages(device);
    sheet::SheetBuilder builder(pages);

    const QString caption =
        recognition.kind == 0 ? QStringLiteral("Firmware nicht erkannt") : qs(recognition.statusCaption());
    builder.title(QStringLiteral("HEX Quendrabolt · Einstellungsblatt"), caption);
    builder.infoLines(sheet::infoLines(firmware, fileName, printedAt));
    if (const std::string warning = hq::badRecordWarning(firmware.image); !warning.empty())
        builder.warningBox(qs(warning));

    builder.heading(QStringLiteral("Ausgänge"));
    if (const QString reason = sheet::noRowsReason(recognition); !reason.isEmpty())
        builder.paragraph(reason);
    else {
        std::vector<sheet::RowEntry> rows = sheet::rowEntries(firmware, settings);
        const QStringList notes = sheet::takeSharedNotes(rows);
        builder.rowTable(recognition, rows);
        for (const QString& note : notes)
            builder.paragraph(QStringLiteral("Hinweis: ") + note, sheet::FontRole::Small,
                              sheet::kMutedColour);
    }

    if (const QString extra = sheet::extraLine(recognition, settings); !extra.isEmpty()) {
        builder.heading(QStringLiteral("Zusatzwert"));
        builder.paragraph(extra);
        builder.paragraph(sheet::extraHint(recognition), sheet::FontRole::Small, sheet::kMutedColour);
    }

    if (settings.servo)
        sheet::addServoSection(builder, *settings.servo);
    if (settings.patterns)
        sheet::addPatternSection(builder, *settings.patterns, recognition.panel());
    if (settings.neon)
        sheet::addNeonSection(builder, *settings.neon);
    if (settings.house)
        sheet::addHouseSection(builder, *settings.house);

    const QString shortName = QFileInfo(fileName).fileName();
    return pages.paint(QStringLiteral("Einstellungsblatt · ") + (shortName.isEmpty() ? caption : shortName));
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
        writer.setTitle(QStringLiteral("Einstellungsblatt – ") + qs(firmware.recognition.statusCaption()));
        if (paintSettingsSheet(writer, firmware, settings, fileName, printedAt) == 0)
            return {};
    }
    return buffer.data();
}

bool saveSettingsSheetPdf(const QString& out, const hq::Firmware& firmware,
                          const hq::FirmwareSettings& settings, const QString& fileName, QString* error) {
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
        localPath(out), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
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
