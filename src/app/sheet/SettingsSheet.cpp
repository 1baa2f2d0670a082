// The sheet's sections as blocks of the page layout, and the PDF helpers around it.

#include "sheet/SettingsSheet.h"

#include "help/AddressHelp.h"
#include "io/WriteFile.h"
#include "light/PatternBank.h"
#include "servo/CurveSettings.h"
#include "servo/ServoAssignment.h"
#include "servo/ServoFlags.h"
#include "servo/ServoTiming.h"
#include "sheet/SheetContent.h"
#include "sheet/SheetDrawings.h"
#include "sheet/SheetPages.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <numeric>

namespace {

using sheet::Block;
using sheet::FontRole;
using sheet::fromUtf8;

const QColor kText(20, 20, 20);
const QColor kMuted(100, 100, 100);
const QColor kWarning(170, 20, 20);
const QColor kRule(170, 170, 170);
const QColor kHeaderFill(228, 232, 240);
const QColor kStripe(245, 246, 249);
const QString kDash = QStringLiteral("–");

QString yesNo(bool on) {
    return on ? QStringLiteral("ja") : QStringLiteral("nein");
}

// Builds the blocks of one sheet.
class SheetBuilder {
public:
    explicit SheetBuilder(sheet::SheetPages& pages) : pages_(pages) {}

    void title(const QString& over, const QString& title);
    void heading(const QString& text);
    // One paragraph, wrapped.
    void paragraph(const QString& text, FontRole role = FontRole::Body, QColor colour = kText);
    void infoLines(const std::vector<sheet::InfoLine>& lines);
    void warningBox(const QString& text);
    // A table: `widths` in millimetres (the last column takes the rest), the header repeated on
    // every page the table continues on.
    void table(const QStringList& headers, const std::vector<double>& widths,
               const std::vector<QStringList>& rows);
    void rowTable(const hq::Recognition& recognition, const std::vector<sheet::RowEntry>& rows);
    // A block of its own size painted by `paint` under a subheading and a line of facts.
    void figure(const QString& subheading, const QString& facts, double height,
                std::function<void(QPainter&, const QRectF&)> paint);

private:
    std::vector<double> columns(const std::vector<double>& widths) const;
    void paintCells(QPainter& painter, const QRectF& rect, const std::vector<double>& columns,
                    const QStringList& cells, const QFont& font) const;

    sheet::SheetPages& pages_;
};

void SheetBuilder::title(const QString& over, const QString& title) {
    const QFont small = pages_.font(FontRole::Small);
    const QFont big = pages_.font(FontRole::Title);
    const double overHeight = pages_.lineHeight(small);
    const double titleHeight = pages_.textHeight(big, title, pages_.width());
    const double rule = pages_.mm(2);
    pages_.add({overHeight + titleHeight + rule,
                [=, this](QPainter& painter, const QRectF& r) {
                    painter.setFont(small);
                    painter.setPen(kMuted);
                    painter.drawText(QRectF(r.left(), r.top(), r.width(), overHeight), Qt::AlignLeft, over);
                    painter.setFont(big);
                    painter.setPen(kText);
                    painter.drawText(QRectF(r.left(), r.top() + overHeight, r.width(), titleHeight),
                                     Qt::TextWordWrap, title);
                    painter.setPen(QPen(kRule, pages_.mm(0.4)));
                    const double y = r.bottom() - rule / 2;
                    painter.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
                },
                false, std::nullopt, pages_.mm(3)});
}

void SheetBuilder::heading(const QString& text) {
    const QFont font = pages_.font(FontRole::Heading);
    pages_.add({pages_.lineHeight(font) + pages_.mm(1),
                [=, this](QPainter& painter, const QRectF& r) {
                    painter.setFont(font);
                    painter.setPen(kText);
                    painter.drawText(r, Qt::AlignLeft | Qt::AlignTop, text);
                    painter.setPen(QPen(kRule, pages_.mm(0.2)));
                    painter.drawLine(r.bottomLeft(), r.bottomRight());
                },
                true, std::nullopt, pages_.mm(2)});
}

void SheetBuilder::paragraph(const QString& text, FontRole role, QColor colour) {
    const QFont font = pages_.font(role);
    pages_.add({pages_.textHeight(font, text, pages_.width()),
                [=](QPainter& painter, const QRectF& r) {
                    painter.setFont(font);
                    painter.setPen(colour);
                    painter.drawText(r, Qt::TextWordWrap, text);
                },
                false, std::nullopt, pages_.mm(1.5)});
}

void SheetBuilder::infoLines(const std::vector<sheet::InfoLine>& lines) {
    const QFont label = pages_.font(FontRole::Bold);
    const QFont value = pages_.font(FontRole::Body);
    const double labelWidth = pages_.mm(28);
    const double valueWidth = pages_.width() - labelWidth;
    for (const sheet::InfoLine& line : lines) {
        const double height = pages_.textHeight(value, line.value, valueWidth);
        pages_.add({height,
                    [=](QPainter& painter, const QRectF& r) {
                        painter.setPen(kText);
                        painter.setFont(label);
                        painter.drawText(QRectF(r.left(), r.top(), labelWidth, r.height()), Qt::AlignLeft,
                                         line.label + u':');
                        painter.setFont(value);
                        painter.drawText(QRectF(r.left() + labelWidth, r.top(), valueWidth, r.height()),
                                         Qt::TextWordWrap, line.value);
                    },
                    false, std::nullopt, pages_.mm(0.6)});
    }
    pages_.add({pages_.mm(3), {}, false, std::nullopt, 0});
}

void SheetBuilder::warningBox(const QString& text) {
    const QFont font = pages_.font(FontRole::Body);
    const double pad = pages_.mm(2);
    const double height = pages_.textHeight(font, text, pages_.width() - 2 * pad) + 2 * pad;
    pages_.add({height,
                [=, this](QPainter& painter, const QRectF& r) {
                    painter.setPen(QPen(kWarning, pages_.mm(0.4)));
                    painter.setBrush(QColor(253, 240, 240));
                    painter.drawRect(r);
                    painter.setFont(font);
                    painter.setPen(kWarning);
                    painter.drawText(r.adjusted(pad, pad, -pad, -pad), Qt::TextWordWrap, text);
                },
                false, std::nullopt, pages_.mm(3)});
}

std::vector<double> SheetBuilder::columns(const std::vector<double>& widths) const {
    std::vector<double> result;
    double used = 0;
    for (std::size_t i = 0; i + 1 < widths.size(); ++i) {
        result.push_back(pages_.mm(widths[i]));
        used += result.back();
    }
    result.push_back(std::max(pages_.mm(10), pages_.width() - used));
    return result;
}

void SheetBuilder::paintCells(QPainter& painter, const QRectF& rect, const std::vector<double>& columns,
                              const QStringList& cells, const QFont& font) const {
    const double pad = pages_.mm(1);
    double x = rect.left();
    painter.setFont(font);
    for (std::size_t c = 0; c < columns.size() && c < static_cast<std::size_t>(cells.size()); ++c) {
        painter.drawText(QRectF(x + pad, rect.top() + pad / 2, columns[c] - 2 * pad, rect.height() - pad),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                         cells.at(static_cast<qsizetype>(c)));
        x += columns[c];
    }
}

void SheetBuilder::table(const QStringList& headers, const std::vector<double>& widths,
                         const std::vector<QStringList>& rows) {
    const std::vector<double> cols = columns(widths);
    const QFont headerFont = pages_.font(FontRole::Bold);
    const QFont cellFont = pages_.font(FontRole::Body);
    const double pad = pages_.mm(1);
    auto rowHeight = [&](const QStringList& row, const QFont& font) {
        double height = pages_.lineHeight(font);
        for (std::size_t c = 0; c < cols.size() && c < static_cast<std::size_t>(row.size()); ++c)
            height = std::max(height,
                              pages_.textHeight(font, row.at(static_cast<qsizetype>(c)), cols[c] - 2 * pad));
        return height + pad;
    };
    auto paintHeader = [=, this](QPainter& painter, const QRectF& r) {
        painter.fillRect(r, kHeaderFill);
        painter.setPen(kText);
        paintCells(painter, r, cols, headers, headerFont);
    };
    // Shared by every row's block, so that a long table is not copied once per row.
    const auto cells = std::make_shared<const std::vector<QStringList>>(rows);
    auto paintRow = [=, this](QPainter& painter, const QRectF& r, std::size_t i) {
        if (i % 2 == 1)
            painter.fillRect(r, kStripe);
        painter.setPen(kText);
        paintCells(painter, r, cols, (*cells)[i], cellFont);
        painter.setPen(QPen(kRule, pages_.mm(0.1)));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
    };

    const double headerHeight = rowHeight(headers, headerFont);
    std::vector<double> heights;
    for (const QStringList& row : rows)
        heights.push_back(rowHeight(row, cellFont));
    const double total = std::accumulate(heights.begin(), heights.end(), headerHeight);
    if (total <= pages_.bodyHeight() / 3) {
        // A short table moves to the next page as a whole instead of being cut in two.
        pages_.add({total,
                    [=](QPainter& painter, const QRectF& r) {
                        paintHeader(painter, QRectF(r.left(), r.top(), r.width(), headerHeight));
                        double top = r.top() + headerHeight;
                        for (std::size_t i = 0; i < heights.size(); ++i) {
                            paintRow(painter, QRectF(r.left(), top, r.width(), heights[i]), i);
                            top += heights[i];
                        }
                    },
                    false, std::nullopt, pages_.mm(3)});
        return;
    }
    const int header = pages_.add({headerHeight, paintHeader, false, std::nullopt, 0});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        pages_.add({heights[i], [=](QPainter& painter, const QRectF& r) { paintRow(painter, r, i); }, false,
                    header, 0});
    }
    pages_.add({pages_.mm(3), {}, false, std::nullopt, 0});
}

void SheetBuilder::rowTable(const hq::Recognition& recognition, const std::vector<sheet::RowEntry>& rows) {
    const std::vector<double> cols = columns({11, 34, 18, 17, 0});
    const QFont headerFont = pages_.font(FontRole::Bold);
    const QFont cellFont = pages_.font(FontRole::Body);
    const QFont helpFont = pages_.font(FontRole::Small);
    QFont warningFont = helpFont;
    warningFont.setBold(true);
    const double pad = pages_.mm(1);
    const double helpWidth = cols.back() - 2 * pad;
    const QStringList headers{QStringLiteral("Zeile"), QStringLiteral("Bezeichnung"),
                              QStringLiteral("Adresse"), sheet::lastColumnTitle(recognition),
                              QStringLiteral("Adress-Hilfe")};
    const int header = pages_.add({pages_.lineHeight(headerFont) + pad,
                                   [=, this](QPainter& painter, const QRectF& r) {
                                       painter.fillRect(r, kHeaderFill);
                                       painter.setPen(kText);
                                       paintCells(painter, r, cols, headers, headerFont);
                                   },
                                   false, std::nullopt, 0});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const sheet::RowEntry entry = rows[i];
        const QStringList cells{QString::number(entry.row), entry.caption, entry.address, entry.last};
        std::vector<double> helpHeights;
        for (const sheet::HelpLine& line : entry.help)
            helpHeights.push_back(
                pages_.textHeight(line.warning ? warningFont : helpFont, line.text, helpWidth));
        double height = std::accumulate(helpHeights.begin(), helpHeights.end(), 0.0);
        for (std::size_t c = 0; c < 4; ++c)
            height = std::max(
                height, pages_.textHeight(cellFont, cells.at(static_cast<qsizetype>(c)), cols[c] - 2 * pad));
        const bool stripe = i % 2 == 1;
        pages_.add({height + 2 * pad,
                    [=, this](QPainter& painter, const QRectF& r) {
                        if (stripe)
                            painter.fillRect(r, kStripe);
                        painter.setPen(kText);
                        paintCells(painter, r, cols, cells, cellFont);
                        double y = r.top() + pad / 2;
                        const double x = r.right() - cols.back() + pad;
                        for (std::size_t l = 0; l < entry.help.size(); ++l) {
                            const sheet::HelpLine& line = entry.help[l];
                            painter.setFont(line.warning ? warningFont : helpFont);
                            painter.setPen(line.warning ? kWarning : kText);
                            painter.drawText(QRectF(x, y, helpWidth, helpHeights[l]), Qt::TextWordWrap,
                                             line.text);
                            y += helpHeights[l];
                        }
                        painter.setPen(QPen(kRule, pages_.mm(0.1)));
                        painter.drawLine(r.bottomLeft(), r.bottomRight());
                    },
                    false, header, 0});
    }
    pages_.add({pages_.mm(3), {}, false, std::nullopt, 0});
}

void SheetBuilder::figure(const QString& subheading, const QString& facts, double height,
                          std::function<void(QPainter&, const QRectF&)> paint) {
    const QFont sub = pages_.font(FontRole::Subheading);
    // The facts of a curve or pattern fit on one line in the small font.
    const QFont body = pages_.font(FontRole::Small);
    const double subHeight = pages_.lineHeight(sub);
    const double factsHeight = pages_.textHeight(body, facts, pages_.width());
    const double gap = pages_.mm(1);
    pages_.add(
        {subHeight + factsHeight + gap + height,
         [=](QPainter& painter, const QRectF& r) {
             painter.setPen(kText);
             painter.setFont(sub);
             painter.drawText(QRectF(r.left(), r.top(), r.width(), subHeight), Qt::AlignLeft, subheading);
             painter.setFont(body);
             painter.drawText(QRectF(r.left(), r.top() + subHeight, r.width(), factsHeight), Qt::TextWordWrap,
                              facts);
             paint(painter, QRectF(r.left(), r.top() + subHeight + factsHeight + gap, r.width(), height));
         },
         false, std::nullopt, pages_.mm(4)});
}

QString itemText(int item, const char* prefix) {
    if (item < 0)
        return kDash;
    return QString::fromLatin1(prefix) + QString::number(item + 1);
}

void addServo(SheetBuilder& builder, sheet::SheetPages& pages, const hq::ServoWorkingCopy& servo) {
    builder.heading(QStringLiteral("Servo-Kurven"));
    for (int number = 1; number <= hq::kServoCurveCount; ++number) {
        const hq::CurveBlock curve = servo.data.curve(number);
        const int count = hq::clampedPointCount(curve);
        const int stretch = std::clamp(curve[hq::kCurveStretchEntry], 1, hq::kMaxStretch);
        const QString facts = QStringLiteral("Anzahl Punkte: %1 · Stretch: %2 · ").arg(count).arg(stretch) +
                              fromUtf8(hq::pointIntervalText(stretch)) + QStringLiteral(" · ") +
                              fromUtf8(hq::curveDurationText(count, stretch));
        const double mm = pages.mm(1);
        const QFont small = pages.font(FontRole::Small);
        builder.figure(QStringLiteral("Kurve %1").arg(number), facts, pages.mm(42),
                       [=](QPainter& painter, const QRectF& r) {
                           sheet::paintCurveDrawing(painter, r, curve, mm, small);
                       });
    }

    builder.heading(QStringLiteral("Zuordnung"));
    std::vector<QStringList> assignments;
    for (int row = 1; row <= hq::kAssignmentRowCount; ++row) {
        const hq::AssignmentRow bytes = hq::assignmentRow(servo.data, row);
        const int action = hq::comboItem(hq::actionBitIndex(bytes.servoAction));
        const bool curveShown = hq::curveAndRelayShown(hq::actionBitIndex(bytes.servoAction));
        assignments.push_back(
            {QStringLiteral("a%1").arg(row),
             itemText(hq::comboItem(hq::servoBitIndex(bytes.servoAction)), "Servo "),
             action < 0 ? kDash : fromUtf8(hq::kActionNames[static_cast<std::size_t>(action)]),
             curveShown ? itemText(hq::comboItem(hq::curveBitIndex(bytes.curveRelay)), "Kurve ") : kDash,
             curveShown ? itemText(hq::comboItem(hq::relayBitIndex(bytes.curveRelay)), "Relais ") : kDash});
    }
    builder.table({QStringLiteral("Adresse"), QStringLiteral("Servo"), QStringLiteral("Aktion"),
                   QStringLiteral("Kurve"), QStringLiteral("Relais")},
                  {22, 30, 34, 30, 0}, assignments);

    builder.heading(QStringLiteral("Impulse"));
    std::vector<QStringList> timing;
    for (int number = 1; number <= hq::kServoCurveCount; ++number) {
        const int offset = servo.timing.offset(number);
        const int faktor = servo.timing.faktor(number);
        timing.push_back({QStringLiteral("Servo %1").arg(number),
                          fromUtf8(hq::pulseMillisecondsText(hq::minimumPulseUnits(offset), ",")),
                          fromUtf8(hq::pulseMillisecondsText(hq::maximumPulseUnits(offset, faktor), ",")),
                          QString::number(offset), QString::number(faktor)});
    }
    builder.table({QStringLiteral("Servo"), QStringLiteral("Offset [ms]"), QStringLiteral("Maximum [ms]"),
                   QStringLiteral("Offset-Byte"), QStringLiteral("Faktor-Byte")},
                  {22, 34, 34, 30, 0}, timing);

    builder.heading(QStringLiteral("Optionen"));
    QStringList flagHeaders{QStringLiteral("Servo")};
    for (hq::ServoFlag flag : hq::kServoFlags)
        flagHeaders << fromUtf8(hq::servoFlagCaption(flag));
    std::vector<QStringList> flags;
    for (int number = 1; number <= hq::kServoCurveCount; ++number) {
        const int flagByte = hq::servoFlagByte(servo.data, number);
        QStringList cells{QStringLiteral("Servo %1").arg(number)};
        for (hq::ServoFlag flag : hq::kServoFlags)
            cells << yesNo(hq::hasFlag(flagByte, flag));
        flags.push_back(cells);
    }
    builder.table(flagHeaders, {22, 36, 36, 44, 0}, flags);
}

void addPatterns(SheetBuilder& builder, sheet::SheetPages& pages, const hq::PatternSetting& setting,
                 hq::Panel panel) {
    if (setting.layout == nullptr)
        return;
    auto bank = std::make_shared<hq::PatternBank>(*setting.layout);
    bank->table() = setting.table;
    builder.heading(panel == hq::Panel::Led ? QStringLiteral("LED-Blinkmuster")
                                            : QStringLiteral("Blinkmuster"));
    const double mm = pages.mm(1);
    const QFont small = pages.font(FontRole::Small);
    for (int address = 1; address <= hq::kPatternAddresses; ++address) {
        const int count = bank->count(address);
        const int stretch = bank->stretch(address);
        const QString facts = QStringLiteral("Anzahl Punkte: %1 · Stretch-Faktor: %2 · Loop: %3 · ")
                                  .arg(count)
                                  .arg(stretch)
                                  .arg(yesNo(bank->loop(address))) +
                              fromUtf8(hq::timeGridText(stretch)) + QStringLiteral(" · ") +
                              fromUtf8(hq::totalTimeText(stretch, count));
        builder.figure(QStringLiteral("Adresse %1").arg(address), facts,
                       pages.mm(sheet::kPatternRowMm) * setting.layout->outputs,
                       [=](QPainter& painter, const QRectF& r) {
                           sheet::paintPatternDrawing(painter, r, *bank, address, mm, small);
                       });
    }
}

QString storedValue(const std::optional<int>& value) {
    return value ? QString::number(*value) : QStringLiteral("keine gültige Zahl in der HEX-Datei");
}

void addNeon(SheetBuilder& builder, const hq::NeonSetting& neon) {
    builder.heading(QStringLiteral("Neon-Werte"));
    builder.table({QStringLiteral("Wert"), QStringLiteral("Einstellung")}, {70, 0},
                  {{QStringLiteral("Licht-Stufe HELL (0..255)"), storedValue(neon.hell)},
                   {QStringLiteral("Licht-Stufe DUNKEL (0..255)"), storedValue(neon.dunkel)},
                   {QStringLiteral("Verzögerungs-Zeit (x 0.5 sec)"), storedValue(neon.delay)}});
}

void addHouse(SheetBuilder& builder, const hq::HouseSetting& house) {
    builder.heading(QStringLiteral("Hausbeleuchtung"));
    builder.table({QStringLiteral("Wert"), QStringLiteral("Einstellung")}, {70, 0},
                  {{QStringLiteral("Mindestanzahl (1..9)"), storedValue(house.minimum)}});
}

} // namespace

void prepareSheetPage(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

int paintSettingsSheet(QPagedPaintDevice& device, const hq::Firmware& firmware,
                       const hq::FirmwareSettings& settings, const QString& fileName,
                       const QDateTime& printedAt) {
    const hq::Recognition& recognition = firmware.recognition;
    sheet::SheetPages pages(device);
    SheetBuilder builder(pages);

    const QString caption = recognition.kind == 0 ? QStringLiteral("Firmware nicht erkannt")
                                                  : fromUtf8(recognition.statusCaption());
    builder.title(QStringLiteral("HEX Quendrabolt · Einstellungsblatt"), caption);
    builder.infoLines(sheet::infoLines(firmware, fileName, printedAt));
    if (const std::string warning = hq::badRecordWarning(firmware.image); !warning.empty())
        builder.warningBox(fromUtf8(warning));

    builder.heading(QStringLiteral("Ausgänge"));
    if (const QString reason = sheet::noRowsReason(recognition); !reason.isEmpty())
        builder.paragraph(reason);
    else {
        std::vector<sheet::RowEntry> rows = sheet::rowEntries(firmware, settings);
        const QStringList notes = sheet::takeSharedNotes(rows);
        builder.rowTable(recognition, rows);
        for (const QString& note : notes)
            builder.paragraph(QStringLiteral("Hinweis: ") + note, FontRole::Small, kMuted);
    }

    if (const QString extra = sheet::extraLine(recognition, settings); !extra.isEmpty()) {
        builder.heading(QStringLiteral("Zusatzwert"));
        builder.paragraph(extra);
        builder.paragraph(sheet::extraHint(recognition), FontRole::Small, kMuted);
    }

    if (settings.servo)
        addServo(builder, pages, *settings.servo);
    if (settings.patterns)
        addPatterns(builder, pages, *settings.patterns, recognition.panel());
    if (settings.neon)
        addNeon(builder, *settings.neon);
    if (settings.house)
        addHouse(builder, *settings.house);

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
        writer.setTitle(QStringLiteral("Einstellungsblatt – ") +
                        fromUtf8(firmware.recognition.statusCaption()));
        if (paintSettingsSheet(writer, firmware, settings, fileName, printedAt) == 0)
            return {};
    }
    return buffer.data();
}

bool saveSettingsSheetPdf(const QString& out, const hq::Firmware& firmware,
                          const hq::FirmwareSettings& settings, const QString& fileName, QString* error) {
    const QByteArray pdf = settingsSheetPdf(firmware, settings, fileName);
    if (pdf.isEmpty()) {
        if (error)
            *error = QStringLiteral("Das Einstellungsblatt konnte nicht erstellt werden.");
        return false;
    }
    const hq::Status written =
        hq::io::writeFileReplacing(QFile::encodeName(out).toStdString(),
                                   std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (!written) {
        if (error)
            *error = fromUtf8(written.message());
        return false;
    }
    return true;
}

int writeSettingsSheetPdf(const QString& out, const QString& hexFile, QString* error) {
    hq::Result<hq::Firmware> loaded = hq::loadFirmwareFile(QFile::encodeName(hexFile).toStdString());
    if (!loaded) {
        if (error)
            *error = fromUtf8(loaded.message());
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
