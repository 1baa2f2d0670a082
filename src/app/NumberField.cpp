#include "NumberField.h"

#include "ChangeMark.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// The room the change mark's corner flag takes beside the text.
constexpr int kMarkRoom = 6;

} // namespace

NumberField::NumberField(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        checkRange();
        if (!showing_)
            emit valueEdited(value());
    });
    connect(this, &QLineEdit::editingFinished, this, &NumberField::entryFinished);
}

void NumberField::setRange(int lowest, int highest) {
    if (lowest == lowest_ && highest == highest_)
        return;
    lowest_ = lowest;
    highest_ = highest;
    hint_ = QSize();
    checkRange();
    updateGeometry();
}

hq::FieldValue NumberField::value() const {
    return hq::FieldValue::fromText(text().toStdString());
}

void NumberField::showValue(const hq::FieldValue& shown) {
    if (value() == shown)
        return;
    const bool wasShowing = showing_;
    showing_ = true;
    setText(QString::fromStdString(shown.text()));
    showing_ = wasShowing;
}

void NumberField::checkRange() {
    const std::optional<int> number = value().number();
    const bool ranged = lowest_ <= highest_;
    const bool outside = !number || (ranged && (*number < lowest_ || *number > highest_));
    if (outside == outOfRange_)
        return;
    outOfRange_ = outside;
    setRangeProblem(
        this, outside ? (ranged ? tr("Erlaubt sind nur Zahlen von %1 bis %2.").arg(lowest_).arg(highest_)
                                : tr("Erlaubt sind nur Zahlen."))
                      : QString());
    update();
}

int NumberField::widthFor(int digits, bool minus) const {
    // The widest digit in bold counts for every digit: not every font has digits of one width.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int digit = 0;
    for (char c = '0'; c <= '9'; ++c)
        digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
    const int textWidth = digits * digit + (minus ? metrics.horizontalAdvance(QLatin1Char('-')) : 0);
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QSize contents(textWidth + 2 * kMarkRoom + 4, fontMetrics().height());
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this).width();
}

QSize NumberField::sizeHint() const {
    // The longest valid value (a minus sign counts where negative values are valid); worked out once
    // for a range and a font.
    if (!hint_.isValid()) {
        const int widest = std::max({std::abs(lowest_), std::abs(highest_), 99});
        hint_ = {widthFor(static_cast<int>(QString::number(widest).size()), lowest_ < 0),
                 QLineEdit::sizeHint().height()};
    }
    return hint_;
}

void NumberField::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        hint_ = QSize();
    QLineEdit::changeEvent(event);
}

QSize NumberField::minimumSizeHint() const {
    // Never squeezed below a line of text, however little room a layout has.
    return sizeHint();
}

void NumberField::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!outOfRange_)
        return;
    QPainter painter(this);
    painter.setPen(QPen(QColor(0xD0, 0x20, 0x20), 2));
    const int y = height() - 3;
    painter.drawLine(3, y, width() - 4, y);
}
