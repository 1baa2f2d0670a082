#include "ParameterGridBox.h"

#include "ChangeMark.h"
#include "FlagsBox.h"
#include "NumberField.h"
#include "QtText.h"
#include "WrappedLabel.h"
#include "document/FirmwareDocument.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>

#include <algorithm>

const QColor ParameterGridBox::kGreen = QColor(0x66, 0xE0, 0x66);
const QColor ParameterGridBox::kRed = QColor(0xF0, 0x50, 0x50);

namespace {

// The columns of the rows' grid layout: caption, address, function or "R/G", warning mark, for the
// first output column, then the divider and the same four for the second.
constexpr int kColumnsPerOutputColumn = 4;
constexpr int kDividerColumn = kColumnsPerOutputColumn;
constexpr int kHeadingLine = 0; // rows start in the line below the headings

int gridColumn(int outputColumn, int part) {
    return outputColumn * (kColumnsPerOutputColumn + 1) + part;
}

QString addressHint(int maxAddress) {
    return QStringLiteral(
               "gültiger Adressbereich: 1 bis %1\n'0' für unbenutzt (keine Reaktion auf irgendeinen "
               "Befehl)")
        .arg(maxAddress);
}

QString functionHint(int maxFunction) {
    return QStringLiteral("gültiger Bereich für die Funktions-Nummer: 1 bis %1").arg(maxFunction);
}

// The amber mark of a row with warnings: a small triangle with an exclamation mark, as high as a
// line of text.
QPixmap warningPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 14.0, size / 14.0);
    painter.setPen(QPen(QColor(0x9A, 0x62, 0x00), 1));
    painter.setBrush(QColor(0xF5, 0xA6, 0x23));
    painter.drawPolygon(QPolygonF({QPointF(7, 1), QPointF(13, 13), QPointF(1, 13)}));
    painter.setPen(QPen(Qt::black, 1.6));
    painter.drawLine(QPointF(7, 5), QPointF(7, 9));
    painter.drawPoint(QPointF(7, 11));
    return pixmap;
}

// Tooltips do not wrap plain text: long lines are broken at blanks near `width` characters.
QString wrapped(const QString& text, int width = 72) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QString rest = line;
        while (rest.size() > width) {
            const qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), width);
            if (cut <= 0)
                break;
            lines << rest.left(cut);
            rest = rest.mid(cut + 1);
        }
        lines << rest;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

ParameterGridBox::ParameterGridBox(FirmwareDocument& document, QWidget* parent)
    : QGroupBox(parent), document_(document), rowsLayout_(new QGridLayout), line_(new QFrame(this)),
      helpLine_(new WrappedLabel(this)), flags_(new FlagsBox(this)) {
    setObjectName(QStringLiteral("GroupBoxMain"));
    line_->setObjectName(QStringLiteral("Line"));
    line_->setFrameShape(QFrame::VLine);
    line_->setFrameShadow(QFrame::Sunken);
    line_->hide();
    helpLine_->setObjectName(QStringLiteral("lbl_adresshilfe"));
    helpLine_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small = helpLine_->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    helpLine_->setFont(small);
    helpLine_->hide();
    buildHeadings();

    rowsLayout_->setHorizontalSpacing(6);
    rowsLayout_->setVerticalSpacing(3);
    rowsLayout_->setColumnStretch(gridColumn(2, 0), 1); // spare width stays right of the rows
    // Short captions ("Ein") leave the address where the usual ones ("Adresse 01") put it.
    for (int column : {0, 1})
        rowsLayout_->setColumnMinimumWidth(gridColumn(column, 0), fontMetrics().averageCharWidth() * 12);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rowsLayout_);
    layout->addStretch(1);
    layout->addWidget(helpLine_);
    layout->addWidget(flags_);

    connect(&document_, &FirmwareDocument::reloaded, this, &ParameterGridBox::showFirmware);
    connect(&document_, &FirmwareDocument::changed, this, &ParameterGridBox::showChange);
}

void ParameterGridBox::buildHeadings() {
    for (std::size_t i = 0; i < headings_.size(); ++i) {
        auto* heading = new QLabel(this);
        const int column = static_cast<int>(i / 2);
        const bool address = i % 2 == 0;
        heading->setObjectName(QStringLiteral("lbl_heading_%1_%2")
                                   .arg(address ? QStringLiteral("adresse") : QStringLiteral("wahl"))
                                   .arg(column + 1));
        QFont font = heading->font();
        font.setPointSizeF(font.pointSizeF() * 0.85);
        heading->setFont(font);
        heading->setForegroundRole(QPalette::PlaceholderText);
        heading->hide();
        // The choice heading may reach over the warning marks' column.
        rowsLayout_->addWidget(heading, kHeadingLine, gridColumn(column, address ? 1 : 2), 1,
                               address ? 1 : 2);
        headings_[i] = heading;
    }
}

void ParameterGridBox::buildRow(int row) {
    const QString n = QString::number(row);
    Row& r = rows_.at(row);

    r.caption = new QLabel(this);
    r.caption->setObjectName(QStringLiteral("lbl_caption_") + n);

    r.address = new NumberField(this);
    r.address->setObjectName(QStringLiteral("edt_adresse_") + n);
    r.address->setAutoFillBackground(true);

    r.function = new NumberField(this);
    r.function->setObjectName(QStringLiteral("edt_funktion_") + n);
    r.function->setToolTip(QStringLiteral("Funktion Nummer"));

    r.redGreen = new QPushButton(QStringLiteral("R/G"), this);
    r.redGreen->setObjectName(QStringLiteral("btn_RG_") + n);
    r.redGreen->setToolTip(QStringLiteral("Wechsel zwischen ROTer und GRÜNer Adresse "));
    r.redGreen->setFocusPolicy(Qt::TabFocus);
    // As wide as its caption needs (the style's 80-pixel least width of a push button would push the
    // second column away) and as high as the fields beside it, so the rows stay as close as the fields
    // allow.
    QStyleOptionButton option;
    option.initFrom(r.redGreen);
    option.text = r.redGreen->text();
    const QSize text(r.redGreen->fontMetrics().horizontalAdvance(option.text),
                     r.redGreen->fontMetrics().height());
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_ButtonMargin, &option, r.redGreen) +
                            style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, r.redGreen));
    r.redGreen->setFixedWidth(text.width() + margin);
    r.redGreen->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);

    r.warning = new QLabel(this);
    r.warning->setObjectName(QStringLiteral("lbl_warnung_") + n);
    // Drawn once for the font's line height and shared by every row.
    static QPixmap mark;
    if (mark.height() != fontMetrics().height())
        mark = warningPixmap(fontMetrics().height());
    r.warning->setPixmap(mark);

    GridEdits& edits = document_.grid();
    connect(r.address, &NumberField::valueEdited, this,
            [&edits, row](const hq::FieldValue& value) { edits.setAddress(row, value); });
    connect(r.function, &NumberField::valueEdited, this,
            [&edits, row](const hq::FieldValue& value) { edits.setFunction(row, value); });
    connect(r.address, &NumberField::entryFinished, this, [&edits] { edits.finishEntry(); });
    connect(r.function, &NumberField::entryFinished, this, [&edits] { edits.finishEntry(); });
    connect(r.redGreen, &QPushButton::clicked, this, [&edits, row] { edits.toggleRedGreen(row); });

    for (QWidget* w : {static_cast<QWidget*>(r.caption), static_cast<QWidget*>(r.address),
                       static_cast<QWidget*>(r.function), static_cast<QWidget*>(r.redGreen),
                       static_cast<QWidget*>(r.warning)}) {
        w->hide();
        if (w != r.caption && w != r.warning)
            w->installEventFilter(this);
    }
}

void ParameterGridBox::placeRows(int rowsPerColumn) {
    // Rows 1..n (n rows per column) form the first column, all later rows the second; row 0 stands
    // with row 1 but never shows.
    rowsPerColumn = std::max(1, rowsPerColumn);
    int lastLine = 0;
    rowsLayout_->removeWidget(line_);
    for (int row = 0; row < hq::kRowCount; ++row) {
        Row& r = rows_.at(row);
        if (r.caption == nullptr)
            continue;
        for (QWidget* w : {static_cast<QWidget*>(r.caption), static_cast<QWidget*>(r.address),
                           static_cast<QWidget*>(r.function), static_cast<QWidget*>(r.redGreen),
                           static_cast<QWidget*>(r.warning)})
            rowsLayout_->removeWidget(w);
        const int shown = std::max(1, row);
        const int column = shown > rowsPerColumn ? 1 : 0;
        const int line = kHeadingLine + 1 + (column == 0 ? shown - 1 : shown - rowsPerColumn - 1);
        rowsLayout_->addWidget(r.caption, line, gridColumn(column, 0));
        rowsLayout_->addWidget(r.address, line, gridColumn(column, 1));
        rowsLayout_->addWidget(r.function, line, gridColumn(column, 2));
        rowsLayout_->addWidget(r.redGreen, line, gridColumn(column, 2), Qt::AlignLeft);
        rowsLayout_->addWidget(r.warning, line, gridColumn(column, 3));
        if (!r.caption->isHidden())
            lastLine = std::max(lastLine, line);
    }
    rowsLayout_->addWidget(line_, kHeadingLine + 1, kDividerColumn, std::max(1, lastLine - kHeadingLine), 1);
}

void ParameterGridBox::showFirmware() {
    const hq::Recognition& recognition = document_.firmware().recognition;
    accessory_ = recognition.type == hq::DecoderType::Schalt;
    const int rowsPerColumn = recognition.rowsPerColumn();
    bool anyRow = false;
    bool secondColumn = false;
    focusedRow_ = 0;

    for (int row = 0; row < hq::kRowCount; ++row) {
        Row& r = rows_.at(row);
        const QString caption = qs(recognition.rowCaption(row));
        // Row 0 belongs to no output (its third byte is the extra value), so it never shows.
        const bool shown = row > 0 && !caption.isEmpty() && recognition.rowsShown();
        if (r.caption == nullptr && !shown)
            continue;
        if (r.caption == nullptr)
            buildRow(row);
        r.caption->setText(caption);
        r.rangeHint = shown ? addressHint(recognition.maxAddress) : QString();
        setHint(r.address, r.rangeHint);
        r.address->setRange(0, recognition.maxAddress);
        setHint(r.function, shown ? functionHint(recognition.maxFunction) : QString());
        r.warning->hide();
        r.caption->setVisible(shown);
        r.address->setVisible(shown);
        r.redGreen->setVisible(shown && accessory_);
        r.function->setVisible(shown && !accessory_);
        anyRow = anyRow || shown;
        secondColumn = secondColumn || (shown && row > rowsPerColumn);
    }
    placeRows(rowsPerColumn);

    const QString choice = accessory_ ? QStringLiteral("R/G") : QStringLiteral("Funktion");
    for (std::size_t i = 0; i < headings_.size(); ++i) {
        headings_[i]->setText(i % 2 == 0 ? QStringLiteral("Adresse") : choice);
        headings_[i]->setVisible(anyRow && (i < 2 || secondColumn));
    }
    line_->setVisible(secondColumn);
    helpLine_->clear();
    helpLine_->setVisible(anyRow);
    flags_->showRecognition(recognition.protocol, recognition.type);
    flags_->setVisible(recognition.kind != 0);
}

void ParameterGridBox::showChange(const DocumentChange& change) {
    if (!document_.isLoaded())
        return;
    const bool baseline = change.touches(DocumentChange::Area::Baseline);
    if (!baseline && !change.touches(DocumentChange::Area::Rows))
        return;
    for (int row = 0; row < hq::kRowCount; ++row) {
        if (rows_.at(row).caption != nullptr && (baseline || change.touchesRow(row)))
            showRow(row);
    }
}

void ParameterGridBox::showRow(int row) {
    ++rowsShown_;
    Row& r = rows_.at(row);
    const GridEdits& edits = document_.grid();
    const hq::RowSetting& value = edits.row(row);
    const hq::RowSetting& inFile = edits.fileRow(row);
    // A function number 0 is valid only where the file holds one (a byte that is no function code).
    const int lowestFunction =
        document_.firmware().parameters.rows.at(static_cast<std::size_t>(row)).function == 0 ? 0 : 1;
    r.function->setRange(lowestFunction, document_.firmware().recognition.maxFunction);
    // A field that holds the value already keeps its text and cursor ("05" stays while it is 5).
    r.address->showValue(value.address);
    r.function->showValue(value.function);
    setChangeMark(r.address, value.address != inFile.address, qs(inFile.address.text()));
    setChangeMark(r.function, !accessory_ && value.function != inFile.function, qs(inFile.function.text()));
    setChangeMark(r.redGreen, accessory_ && value.redGreen != inFile.redGreen,
                  inFile.redGreen == 1 ? QStringLiteral("grün") : QStringLiteral("rot"));

    QColor colour = Qt::white;
    if (accessory_)
        colour = value.redGreen == 1 ? kGreen : kRed;
    QPalette palette = r.address->palette();
    if (palette.color(QPalette::Base) != colour) {
        palette.setColor(QPalette::Base, colour);
        palette.setColor(QPalette::Text, Qt::black);
        r.address->setPalette(palette);
    }
}

void ParameterGridBox::showRowHelp(int row, const QString& help, const QStringList& warnings) {
    Row& r = rows_.at(row);
    if (r.caption == nullptr || r.rangeHint.isEmpty())
        return;
    setHint(r.address, help.isEmpty() ? r.rangeHint : r.rangeHint + QStringLiteral("\n\n") + wrapped(help));
    const QString tip = wrapped(warnings.join(QLatin1Char('\n')));
    if (r.warning->toolTip() != tip)
        r.warning->setToolTip(tip);
    r.warning->setVisible(!warnings.isEmpty() && !r.address->isHidden());
}

void ParameterGridBox::showHelpLine(const QString& text) {
    if (helpLine_->text() != text) {
        helpLine_->setText(text);
        fitHelpLine();
    }
}

void ParameterGridBox::fitHelpLine() {
    // A wrapped label tells a layout only a guess of its height; the lines its text needs at the
    // width it has become its least height, so the rows above are never squeezed by it. Before the
    // box is laid out, the width its rows and flags need is the width it will have at least.
    const QMargins margins = layout()->contentsMargins();
    const int width = std::max({contentsRect().width() - margins.left() - margins.right(),
                                rowsLayout_->minimumSize().width(), flags_->minimumSizeHint().width()});
    // (A label's height for a width is never less than its least height: that goes first.)
    helpLine_->setMinimumHeight(0);
    helpLine_->setMinimumHeight(std::max(0, helpLine_->heightForWidth(width)));
}

void ParameterGridBox::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    fitHelpLine();
}

void ParameterGridBox::focusFirstRow() {
    for (const Row& r : rows_) {
        if (r.address != nullptr && !r.address->isHidden()) {
            r.address->setFocus(Qt::OtherFocusReason);
            r.address->selectAll();
            return;
        }
    }
}

bool ParameterGridBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int row = 0; row < hq::kRowCount; ++row) {
            const Row& r = rows_.at(row);
            const bool ofRow = watched == r.address || watched == r.function || watched == r.redGreen;
            if (ofRow && row != focusedRow_) {
                focusedRow_ = row;
                emit rowEntered(row);
                break;
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}
