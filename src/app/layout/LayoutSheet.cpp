// The cover is built from the settings sheet's blocks (title, facts, tables that continue with
// their header on the next page) and painted with the same page set-up; each decoder's sheet then
// starts on a new page of the same print job and counts its own pages.

#include "layout/LayoutSheet.h"

#include "LayoutJson.h"
#include "QtText.h"
#include "image/RecognitionFailure.h"
#include "io/WriteFile.h"
#include "layout/LayoutAnalysis.h"
#include "layout/LayoutDecoder.h"
#include "layout/LayoutSnapshot.h"
#include "settings/FirmwareSettings.h"
#include "sheet/SettingsSheet.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetPages.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <filesystem>

namespace layout_sheet {
namespace {

QString countText(std::size_t count, const QString& one, const QString& many) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

std::vector<sheet::InfoLine> coverFacts(const LayoutSheetSource& source, const QDateTime& printedAt) {
    const hq::LayoutScan& scan = source.scan;
    return {
        {QStringLiteral("Ordner"), QDir::toNativeSeparators(source.folder)},
        {QStringLiteral("Dekoder"),
         QStringLiteral("%1, mit %2")
             .arg(scan.decoders.size())
             .arg(countText(scan.addresses.size(), QStringLiteral("Adresse"), QStringLiteral("Adressen")))},
        {QStringLiteral("Datum"),
         QLocale(QLocale::German).toString(printedAt, QStringLiteral("dd.MM.yyyy HH:mm"))},
    };
}

// One line on what needs a look: the clashes not marked intended and the files not read.
QString coverFindings(const hq::LayoutScan& scan) {
    const auto open = static_cast<std::size_t>(scan.openClashCount());
    const std::size_t intended = scan.clashes.size() - open;
    QString text = QStringLiteral("Doppelbelegungen: %1 nicht gewollt, %2 gewollt").arg(open).arg(intended);
    text += QStringLiteral(" · Übersprungen: ") +
            countText(scan.problems.size(), QStringLiteral("Datei"), QStringLiteral("Dateien"));
    return text;
}

void decoderTable(sheet::SheetBuilder& builder, const hq::LayoutScan& scan) {
    std::vector<QStringList> rows;
    for (const hq::LayoutDecoder& decoder : scan.decoders) {
        std::vector<int> used;
        for (const hq::LayoutRow& row : decoder.rows) {
            if (row.address != 0)
                used.push_back(row.address);
        }
        const QString protocol =
            decoder.protocol == hq::Protocol::None
                ? QStringLiteral("ohne")
                : qs(hq::protocolName(decoder.protocol)) + QLatin1Char(' ') + qs(hq::typeName(decoder.type));
        QString firmware = qs(decoder.caption) + QStringLiteral(" (Art %1)").arg(decoder.kind);
        if (!decoder.version.empty())
            firmware += QStringLiteral(", ") + qs(decoder.version);
        rows.push_back({qs(decoder.file), qs(decoder.name), firmware, decoderProtocolText(decoder),
                        qs(hq::runsText(std::move(used))), qs(decoder.note)});
    }
    builder.heading(QStringLiteral("Dekoder"));
    builder.table({QStringLiteral("Datei"), QStringLiteral("Name"), QStringLiteral("Firmware"),
                   QStringLiteral("Protokoll"), QStringLiteral("Adressen"), QStringLiteral("Notiz")},
                  {34, 32, 46, 24, 18, 0}, rows);
}

// The index sorted by address, one table per protocol and address space: clashes only happen
// within one, and "is 17 free on DCC?" is answered in one place.
void addressTables(sheet::SheetBuilder& builder, const hq::LayoutScan& scan) {
    builder.heading(QStringLiteral("Adressen"));
    if (scan.addresses.empty()) {
        builder.paragraph(QStringLiteral("Kein Dekoder benutzt eine Adresse."));
        return;
    }
    // The index is sorted by protocol, address space and address already.
    std::size_t from = 0;
    while (from < scan.addresses.size()) {
        const hq::AddressEntry& first = scan.addresses[from];
        std::vector<QStringList> rows;
        std::size_t to = from;
        for (; to < scan.addresses.size() && scan.addresses[to].protocol == first.protocol &&
               scan.addresses[to].space == first.space;
             ++to) {
            const hq::AddressEntry& entry = scan.addresses[to];
            const hq::LayoutRow& row = scan.rowOf(entry);
            QStringList clashes;
            for (std::size_t index : hq::clashesOf(scan, entry.decoder, entry.row)) {
                const hq::Clash& clash = scan.clashes[index];
                const QString text = qs(hq::clashTextFor(scan, clash, entry.decoder, entry.row));
                clashes.append(clash.intended ? text : QStringLiteral("⚠ ") + text);
            }
            QString reaction = qs(hq::reactionText(entry.space, entry.reaction));
            if (!row.use.empty())
                reaction += QStringLiteral("; ") + qs(row.use);
            rows.push_back({QString::number(entry.address), reaction, qs(scan.decoderOf(entry).file),
                            QString::number(row.row) + QLatin1Char(' ') + qs(row.caption),
                            clashes.join(QLatin1Char('\n'))});
        }
        builder.paragraph(qs(hq::protocolName(first.protocol)) + QLatin1Char(' ') +
                              qs(hq::spaceText(first.space)),
                          sheet::FontRole::Subheading, sheet::kTextColour, true);
        builder.table({QStringLiteral("Adresse"), QStringLiteral("Reagiert auf"), QStringLiteral("Datei"),
                       QStringLiteral("Zeile"), QStringLiteral("Doppelbelegung")},
                      {18, 36, 40, 30, 0}, rows);
        from = to;
    }
}

void clashList(sheet::SheetBuilder& builder, const hq::LayoutScan& scan) {
    builder.heading(QStringLiteral("Doppelbelegungen"));
    if (scan.clashes.empty())
        builder.paragraph(QStringLiteral("keine"));
    for (const hq::Clash& clash : scan.clashes) {
        if (clash.intended)
            builder.paragraph(QStringLiteral("gewollt: ") + qs(clash.text), sheet::FontRole::Body,
                              sheet::kMutedColour);
        else
            builder.paragraph(QStringLiteral("⚠ ") + qs(clash.text), sheet::FontRole::Body,
                              sheet::kWarningColour);
    }
}

void freeList(sheet::SheetBuilder& builder, const hq::LayoutScan& scan) {
    builder.heading(QStringLiteral("Freie Zubehöradressen"));
    for (const QString& line : freeBlockLines(scan))
        builder.paragraph(line);
}

void problemList(sheet::SheetBuilder& builder, const hq::LayoutScan& scan) {
    if (scan.problems.empty())
        return;
    builder.heading(QStringLiteral("Übersprungen (nicht geprüft)"));
    for (const hq::LayoutProblem& problem : scan.problems)
        builder.paragraph(qs(problem.file) + QStringLiteral(": ") + qs(problem.reason), sheet::FontRole::Body,
                          sheet::kWarningColour);
}

// The cover; returns its page count.
int paintCover(QPainter& painter, QPagedPaintDevice& device, const LayoutSheetSource& source,
               const QDateTime& printedAt) {
    sheet::SheetPages pages(device);
    sheet::SheetBuilder builder(pages);
    const QString name = QFileInfo(source.folder).fileName();
    builder.title(QStringLiteral("HEX Quendrabolt · Anlagenblatt"), name.isEmpty() ? source.folder : name);
    builder.infoLines(coverFacts(source, printedAt));
    const hq::LayoutScan& scan = source.scan;
    builder.paragraph(coverFindings(scan), sheet::FontRole::Bold,
                      scan.openClashCount() > 0 || !scan.problems.empty() ? sheet::kWarningColour
                                                                          : sheet::kTextColour);
    decoderTable(builder, source.scan);
    addressTables(builder, source.scan);
    clashList(builder, source.scan);
    freeList(builder, source.scan);
    problemList(builder, source.scan);
    return pages.paint(painter, QStringLiteral("Anlagenblatt · ") + (name.isEmpty() ? source.folder : name));
}

bool isFileOfLayout(const QString& out, const LayoutSheetSource& source) {
    std::error_code ec;
    const std::filesystem::path target = localPath(out);
    const std::filesystem::path folder = localPath(source.folder);
    if (std::filesystem::equivalent(target, folder / std::string{hq::kLayoutNotesFile}, ec))
        return true;
    for (const hq::LayoutDecoder& decoder : source.scan.decoders) {
        if (std::filesystem::equivalent(target, folder / decoder.file, ec))
            return true;
    }
    for (const hq::LayoutProblem& problem : source.scan.problems) {
        if (std::filesystem::equivalent(target, folder / problem.file, ec))
            return true;
    }
    return false;
}

} // namespace
} // namespace layout_sheet

LayoutSheetSource readLayoutSheetSource(const QString& folder, const hq::LayoutScan& scan) {
    LayoutSheetSource source;
    source.folder = folder;
    const std::filesystem::path root = localPath(folder);
    std::vector<hq::LayoutDecoder> decoders;
    std::vector<hq::LayoutProblem> problems;
    for (const hq::LayoutProblem& problem : scan.problems) {
        if (problem.file != hq::kLayoutNotesFile)
            problems.push_back(problem);
    }
    for (const hq::LayoutDecoder& decoder : scan.decoders) {
        hq::Result<hq::Firmware> loaded = hq::loadFirmwareFile((root / decoder.file).string());
        if (!loaded) {
            problems.push_back({decoder.file, loaded.message()});
            continue;
        }
        if (loaded->recognition.kind == 0 || !loaded->recognition.hasCaptions()) {
            problems.push_back({decoder.file, hq::unrecognisedFileMessage(loaded->image)});
            continue;
        }
        decoders.push_back(hq::layoutDecoder(*loaded, decoder.file));
        source.files.emplace(decoder.file, std::move(*loaded));
    }
    hq::Result<hq::LayoutNotes> notes = hq::readLayoutNotes(root);
    if (!notes) {
        problems.push_back(
            {std::string{hq::kLayoutNotesFile},
             notes.message() + " Namen, Notizen und gewollte Doppelbelegungen fehlen deshalb."});
    }
    source.scan =
        hq::analyseLayout(std::move(decoders), std::move(problems), notes ? *notes : hq::LayoutNotes{});
    return source;
}

int paintLayoutSheet(QPagedPaintDevice& device, const LayoutSheetSource& source, const QDateTime& printedAt) {
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    int pages = layout_sheet::paintCover(painter, device, source, printedAt);
    const QDir root(source.folder);
    for (const hq::LayoutDecoder& decoder : source.scan.decoders) {
        auto found = source.files.find(decoder.file);
        if (found == source.files.end())
            continue;
        device.newPage();
        pages += paintSettingsSheet(painter, device, found->second, hq::readSettings(found->second),
                                    root.absoluteFilePath(qs(decoder.file)), printedAt);
    }
    painter.end();
    return pages;
}

bool saveLayoutSheetPdf(const QString& out, const LayoutSheetSource& source, QString* error,
                        const QDateTime& printedAt, const hq::io::WriteOptions& options) {
    if (layout_sheet::isFileOfLayout(out, source)) {
        if (error)
            *error = QStringLiteral(
                         "Das Anlagenblatt kann nicht über die Datei \"%1\" der Anlage geschrieben werden.")
                         .arg(out);
        return false;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        prepareSheetPage(writer);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("HEX Quendrabolt"));
        writer.setTitle(QStringLiteral("Anlagenblatt – ") + QFileInfo(source.folder).fileName());
        pages = paintLayoutSheet(writer, source, printedAt);
    }
    if (pages == 0 || buffer.data().isEmpty()) {
        if (error)
            *error = QStringLiteral("Das Anlagenblatt konnte nicht erstellt werden.");
        return false;
    }
    const QByteArray& pdf = buffer.data();
    const hq::Status written = hq::io::writeFileReplacing(
        localPath(out), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), options);
    if (!written) {
        if (error)
            *error = qs(written.message());
        return false;
    }
    return true;
}
