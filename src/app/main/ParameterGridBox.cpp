#include "ParameterGridBox.h"

#include "ChangeMark.h"
#include "FlagsBox.h"
#include "GridGeometry.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>

#include <algorithm>

const QColor ParameterGridBox::kGreen = QColor(0x66, 0xE0, 0x66);
const QColor ParameterGridBox::kRed = QColor(0xF0, 0x50, 0x50);

namespace {

QString addressHint(int maxAddress) {
    return QStringLiteral(
               "gültiger Adressbereich: 1 bis %1\n'0' für unbenutzt (keine Reaktion auf irgendeinen "
               "Befehl)")
        .arg(maxAddress);
}

QString functionHint(int maxFunction) {
    return QStringLiteral("gültiger Bereich für die Funktions-Nummer: 1 bis %1").arg(maxFunction);
}

} // namespace

namespace {

// The amber mark of a row with warnings: a small triangle with an exclamation mark.
QPixmap warningPixmap() {
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x9A, 0x62, 0x00), 1));
    painter.setBrush(QColor(0xF5, 0xA6, 0x23));
    painter.drawPolygon(QPolygonF({QPointF(7, 1), QPointF(13, 13), QPointF(1, 13)}));
    painter.setPen(QPen(Qt::black, 1.6));
    painter.drawLine(QPointF(7, 5), QPointF(7, 9));
    painter.drawPoint(QPointF(7, 11));
    return pixmap;
}

} // namespace

ParameterGridBox::ParameterGridBox(QWidget* parent)
    : QGroupBox(parent), line_(new QFrame(this)), flags_(new FlagsBox(this)), helpLine_(new QLabel(this)) {
    setObjectName(QStringLiteral("GroupBoxMain"));
    setGeometry(5, 5, GridGeometry::kBoxWidth, GridGeometry::kBoxHeight);

    line_->setObjectName(QStringLiteral("Line"));
    line_->setFrameShape(QFrame::VLine);
    line_->setFrameShadow(QFrame::Sunken);
    line_->setLineWidth(1);
    line_->hide();

    flags_->setGeometry(5, GridGeometry::kFlagsTop, GridGeometry::kBoxWidth - 10, GridGeometry::kFlagsHeight);

    for (int row = 0; row < hq::kRowCount; ++row) {
        createRow(row);
        placeRow(row, 15);
    }

    for (std::size_t i = 0; i < headings_.size(); ++i) {
        auto* heading = new QLabel(this);
        const int column = static_cast<int>(i / 2);
        const bool address = i % 2 == 0;
        heading->setObjectName(QStringLiteral("lbl_heading_%1_%2")
                                   .arg(address ? QStringLiteral("adresse") : QStringLiteral("wahl"))
                                   .arg(column + 1));
        const int x = GridGeometry::kLeft + column * GridGeometry::kColumnStep +
                      (address ? GridGeometry::kAddressOffset - 2 : GridGeometry::kSwitchOffset);
        heading->setGeometry(x, GridGeometry::kHeadingTop, address ? 50 : 48, 16);
        QFont font = heading->font();
        font.setPointSizeF(font.pointSizeF() * 0.85);
        heading->setFont(font);
        heading->setForegroundRole(QPalette::PlaceholderText);
        heading->hide();
        headings_[i] = heading;
    }
    helpLine_->setObjectName(QStringLiteral("lbl_adresshilfe"));
    helpLine_->setGeometry(10, GridGeometry::kHelpTop, GridGeometry::kBoxWidth - 20,
                           GridGeometry::kHelpHeight);
    helpLine_->setWordWrap(false);
    helpLine_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small = helpLine_->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    helpLine_->setFont(small);
}

void ParameterGridBox::createRow(int row) {
    const QString n = QString::number(row);
    Row& r = rows_.at(row);

    r.caption = new QLabel(this);
    r.caption->setObjectName(QStringLiteral("lbl_caption_") + n);
    r.caption->setText(QStringLiteral("Ausgang ") + n);

    r.address = new QLineEdit(this);
    r.address->setObjectName(QStringLiteral("edt_adresse_") + n);
    r.address->setToolTip(addressHint(0));
    r.address->setAutoFillBackground(true);

    r.function = new QLineEdit(this);
    r.function->setObjectName(QStringLiteral("edt_funktion_") + n);
    r.function->setToolTip(QStringLiteral("Funktion Nummer"));

    r.redGreen = new QPushButton(QStringLiteral("R/G"), this);
    r.redGreen->setObjectName(QStringLiteral("btn_RG_") + n);
    r.redGreen->setToolTip(QStringLiteral("Wechsel zwischen ROTer und GRÜNer Adresse "));
    r.redGreen->setFocusPolicy(Qt::TabFocus);
    connect(r.redGreen, &QPushButton::clicked, this, [this, row] { emit redGreenClicked(row); });
    // Every change of a text is the user's (typed, pasted, undone in the field) unless the grid is
    // showing values itself.
    connect(r.address, &QLineEdit::textChanged, this, [this, row](const QString& text) {
        if (!showing_)
            emit addressEdited(row, text);
    });
    connect(r.function, &QLineEdit::textChanged, this, [this, row](const QString& text) {
        if (!showing_)
            emit functionEdited(row, text);
    });
    connect(r.address, &QLineEdit::editingFinished, this, &ParameterGridBox::entryFinished);
    connect(r.function, &QLineEdit::editingFinished, this, &ParameterGridBox::entryFinished);

    r.warning = new QLabel(this);
    r.warning->setObjectName(QStringLiteral("lbl_warnung_") + n);
    static const QPixmap mark = warningPixmap();
    r.warning->setPixmap(mark);

    for (QWidget* w : {static_cast<QWidget*>(r.caption), static_cast<QWidget*>(r.address),
                       static_cast<QWidget*>(r.function), static_cast<QWidget*>(r.redGreen),
                       static_cast<QWidget*>(r.warning)}) {
        w->hide();
    }
}

void ParameterGridBox::placeRow(int row, int rowsPerColumn) {
    using G = GridGeometry;
    const GridGeometry geometry(rowsPerColumn);
    const GridPoint origin = geometry.rowOrigin(row);
    const GridPoint address = geometry.addressOrigin(row);
    const GridPoint sw = geometry.switchOrigin(row);
    Row& r = rows_.at(row);
    r.caption->setGeometry(origin.x, origin.y, G::kCaptionWidth, G::kFieldHeight);
    r.address->setGeometry(address.x, address.y, G::kAddressWidth, G::kFieldHeight);
    r.function->setGeometry(sw.x, sw.y, G::kFunctionWidth, G::kFieldHeight);
    r.redGreen->setGeometry(sw.x, sw.y + (G::kFieldHeight - G::kButtonHeight) / 2, G::kButtonWidth,
                            G::kButtonHeight);
    r.warning->setGeometry(origin.x + G::kWarningOffset, origin.y + (G::kFieldHeight - 14) / 2, 14, 14);
}

void ParameterGridBox::setRowVisible(int row, bool visible, bool accessory) {
    Row& r = rows_.at(row);
    if (!visible)
        r.warning->hide();
    r.caption->setVisible(visible);
    r.address->setVisible(visible);
    r.redGreen->setVisible(visible && accessory);
    r.function->setVisible(visible && !accessory);
}

void ParameterGridBox::clear() {
    for (int row = 0; row < hq::kRowCount; ++row) {
        setRowVisible(row, false, false);
        rows_.at(row).caption->clear();
    }
    line_->hide();
    flags_->clear();
    flags_->hide();
    for (QLabel* heading : headings_)
        heading->hide();
    helpLine_->clear();
    helpLine_->hide();
}

void ParameterGridBox::showFirmware(const hq::Recognition& recognition) {
    const bool wasShowing = showing_;
    showing_ = true;
    const bool accessory = recognition.type == hq::DecoderType::Schalt;
    const int rowsPerColumn = recognition.rowsPerColumn();
    const GridGeometry geometry(rowsPerColumn);
    int lastLine = -1;
    bool secondColumn = false;

    for (int row = 0; row < hq::kRowCount; ++row) {
        Row& r = rows_.at(row);
        const QString caption = QString::fromStdString(recognition.rowCaption(row));
        placeRow(row, rowsPerColumn);
        r.caption->setText(caption);

        // Row 0 belongs to no output (its third byte is the extra value), so it never shows.
        const bool shown = row > 0 && !caption.isEmpty() && recognition.rowsShown();
        if (caption.isEmpty()) {
            r.rangeHint.clear();
            setHint(r.address, QString());
        } else if (shown) {
            r.rangeHint = addressHint(recognition.maxAddress);
            setHint(r.address, r.rangeHint);
            setHint(r.function, functionHint(recognition.maxFunction));
        }
        setRowVisible(row, shown, accessory);
        if (shown) {
            lastLine =
                std::max(lastLine, (geometry.rowOrigin(row).y - GridGeometry::kTop) / GridGeometry::kRowStep);
            secondColumn = secondColumn || geometry.column(row) == 1;
        }
    }

    const bool anyRow = lastLine >= 0;
    const QString choice = accessory ? QStringLiteral("R/G") : QStringLiteral("Funktion");
    for (std::size_t i = 0; i < headings_.size(); ++i) {
        const bool column2 = i >= 2;
        headings_[i]->setText(i % 2 == 0 ? QStringLiteral("Adresse") : choice);
        headings_[i]->setVisible(anyRow && (!column2 || secondColumn));
    }
    helpLine_->setVisible(anyRow);

    if (secondColumn) {
        const int height = (lastLine + 1) * GridGeometry::kRowStep - 4;
        line_->setGeometry(GridGeometry::dividerX() - 1, GridGeometry::kTop, 2, height);
        line_->show();
    } else {
        line_->hide();
    }

    flags_->showRecognition(recognition.protocol, recognition.type);
    flags_->setVisible(recognition.kind != 0);
    showing_ = wasShowing;
}

void ParameterGridBox::showValues(const hq::FirmwareSettings& shown, const hq::FirmwareSettings& file,
                                  bool accessory) {
    // A field that holds the value already keeps its text and cursor ("05" stays while it is 5).
    auto showText = [](QLineEdit* edit, const hq::FieldValue& value) {
        if (hq::FieldValue::fromText(edit->text().toStdString()) != value)
            edit->setText(QString::fromStdString(value.text()));
    };
    showing_ = true;
    for (int row = 0; row < hq::kRowCount; ++row) {
        const hq::RowSetting& value = shown.rows.at(row);
        const hq::RowSetting& inFile = file.rows.at(row);
        Row& r = rows_.at(row);
        showText(r.address, value.address);
        showText(r.function, value.function);
        setChangeMark(r.address, value.address != inFile.address,
                      QString::fromStdString(inFile.address.text()));
        setChangeMark(r.function, !accessory && value.function != inFile.function,
                      QString::fromStdString(inFile.function.text()));
        setChangeMark(r.redGreen, accessory && value.redGreen != inFile.redGreen,
                      inFile.redGreen == 1 ? QStringLiteral("grün") : QStringLiteral("rot"));

        QColor colour = Qt::white;
        if (accessory)
            colour = value.redGreen == 1 ? kGreen : kRed;
        QPalette palette = r.address->palette();
        if (palette.color(QPalette::Base) != colour) {
            palette.setColor(QPalette::Base, colour);
            palette.setColor(QPalette::Text, Qt::black);
            r.address->setPalette(palette);
        }
    }
    showing_ = false;
}

namespace {

// Tooltips do not wrap plain text: long lines are broken at blanks near `width` characters.
QString wrapped(const QString& text, int width = 72) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QString rest = line;
        while (rest.size() > width) {
            qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), width);
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

void ParameterGridBox::showRowHelp(int row, const QString& help, const QStringList& warnings) {
    Row& r = rows_.at(row);
    if (r.rangeHint.isEmpty())
        return;
    setHint(r.address, help.isEmpty() ? r.rangeHint : r.rangeHint + QStringLiteral("\n\n") + wrapped(help));
    const bool warn = !warnings.isEmpty() && !r.address->isHidden();
    r.warning->setToolTip(wrapped(warnings.join(QLatin1Char('\n'))));
    r.warning->setVisible(warn);
}

void ParameterGridBox::showHelpLine(const QString& text) {
    // Two lines at most, each cut to the width; the whole help is in the address tooltip.
    const QFontMetrics metrics(helpLine_->font());
    QStringList lines = text.split(QLatin1Char('\n'));
    while (lines.size() > 2)
        lines.removeLast();
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, helpLine_->width());
    const QString shown = lines.join(QLatin1Char('\n'));
    if (helpLine_->text() != shown)
        helpLine_->setText(shown);
    helpLine_->setToolTip(wrapped(text));
}

int ParameterGridBox::rowOf(const QWidget* widget) const {
    for (int row = 0; row < hq::kRowCount; ++row) {
        const Row& r = rows_.at(row);
        if (widget != nullptr && (widget == r.address || widget == r.function || widget == r.redGreen))
            return row;
    }
    return -1;
}
