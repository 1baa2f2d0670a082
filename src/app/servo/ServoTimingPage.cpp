#include "ServoTimingPage.h"

#include "ChangeMark.h"
#include "CompactButton.h"
#include "ServoCaptions.h"
#include "document/ServoEdits.h"
#include "servo/ServoTiming.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

struct StepInfo {
    const char* name; // "dec10", ...
    const char* caption;
    int step;
};

constexpr std::array<StepInfo, 4> kSteps{{
    {"dec10", "<<", -10},
    {"dec1", "<", -1},
    {"inc1", ">", 1},
    {"inc10", ">>", 10},
}};

// The room the change mark's corner flag takes beside the text.
constexpr int kTimeMarkRoom = 3;

const QString kPulseHint =
    QStringLiteral("Offset: der kürzeste Impuls, bei Kurven-Position 0 (unten).\n"
                   "Maximum: der längste Impuls, bei Position 127 (oben): Offset + 127 + Faktor, je 8 µs.\n"
                   "Mit den Knöpfen << < > >> wird der Offset oder der Faktor um 10 oder 1 verstellt.");

// A pulse time as wide as its longest text ("2,048") in bold with the change mark, whatever the font.
class TimeField : public QLineEdit {
public:
    explicit TimeField(QWidget* parent) : QLineEdit(parent) {
        setReadOnly(true);
        setAlignment(Qt::AlignCenter);
        setToolTip(kPulseHint);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override {
        QFont bold = font();
        bold.setBold(true);
        const QString longest = QStringLiteral("8") + QLocale().decimalPoint() + QStringLiteral("888");
        QStyleOptionFrame option;
        initStyleOption(&option);
        // The corner flag of the change mark needs room on both sides of the centred text.
        const QSize contents(QFontMetrics(bold).horizontalAdvance(longest) + 2 * kTimeMarkRoom,
                             fontMetrics().height());
        return {style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this).width(),
                QLineEdit::sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

} // namespace

ServoTimingPage::ServoTimingPage(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(8);
    grid->addWidget(groupHeading(QStringLiteral("Offset [ms]"), this), 0, 1, 1, 5, Qt::AlignHCenter);
    grid->addWidget(groupHeading(QStringLiteral("Maximum [ms]"), this), 0, 7, 1, 5, Qt::AlignHCenter);
    grid->setColumnMinimumWidth(6, 12);
    for (int servo = 1; servo <= hq::kServoCurveCount; ++servo) {
        auto* name = new QLabel(QStringLiteral("Servo %1").arg(servo), this);
        grid->addWidget(name, servo, 0);
        offsets_[static_cast<std::size_t>(servo - 1)] = addTime(servo, true, 1);
        maximums_[static_cast<std::size_t>(servo - 1)] = addTime(servo, false, 7);
    }
    grid->setColumnStretch(12, 1);
    grid->setRowStretch(hq::kServoCurveCount + 1, 1);
}

QLineEdit* ServoTimingPage::addTime(int servo, bool offset, int column) {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* field = new TimeField(this);
    field->setObjectName(
        QStringLiteral("%1%2")
            .arg(offset ? QStringLiteral("servo_edt_Offset_") : QStringLiteral("servo_edt_max_"))
            .arg(servo));
    for (std::size_t s = 0; s < kSteps.size(); ++s) {
        const StepInfo& step = kSteps[s];
        const QString name = QStringLiteral("btn_%1%2_%3")
                                 .arg(QString::fromLatin1(step.name),
                                      offset ? QStringLiteral("offset") : QStringLiteral("faktor"))
                                 .arg(servo);
        auto* button =
            new CompactButton(name, QString::fromLatin1(step.caption), this, CompactButton::Padding::Symbol);
        grid->addWidget(button, servo, column + static_cast<int>(s) + (s >= 2 ? 1 : 0));
        connect(button, &QPushButton::clicked, this, [this, servo, offset, delta = step.step] {
            if (offset)
                emit offsetStepped(servo, delta);
            else
                emit faktorStepped(servo, delta);
        });
    }
    grid->addWidget(field, servo, column + 2);
    return field;
}

void ServoTimingPage::showTiming(const ServoEdits& edits) {
    using Copy = ServoEdits::Copy;
    const std::string separator = QLocale().decimalPoint().toStdString();
    auto ms = [&separator](int units) {
        return QString::fromStdString(hq::pulseMillisecondsText(units, separator));
    };
    for (int servo = 1; servo <= hq::kServoCurveCount; ++servo) {
        const int offset = edits.offset(servo);
        const int faktor = edits.faktor(servo);
        const int fileOffset = edits.offset(servo, Copy::File);
        const int fileFaktor = edits.faktor(servo, Copy::File);
        QLineEdit* minimum = offsets_[static_cast<std::size_t>(servo - 1)];
        QLineEdit* maximum = maximums_[static_cast<std::size_t>(servo - 1)];
        minimum->setText(ms(hq::minimumPulseUnits(offset)));
        maximum->setText(ms(hq::maximumPulseUnits(offset, faktor)));
        setChangeMark(minimum, offset != fileOffset, ms(hq::minimumPulseUnits(fileOffset)));
        setChangeMark(maximum, offset != fileOffset || faktor != fileFaktor,
                      ms(hq::maximumPulseUnits(fileOffset, fileFaktor)));
    }
}
