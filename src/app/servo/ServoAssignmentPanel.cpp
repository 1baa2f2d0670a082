#include "ServoAssignmentPanel.h"

#include "ChangeMark.h"
#include "QtText.h"
#include "servo/ServoFlags.h"
#include "servo/ServoTiming.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using Field = ServoAssignmentPanel::Field;

struct FieldInfo {
    const char* name;
    QStringList items;
};

FieldInfo fieldInfo(Field field) {
    switch (field) {
    case Field::Servo:
        return {"servo",
                {QStringLiteral("Servo 1"), QStringLiteral("Servo 2"), QStringLiteral("Servo 3"),
                 QStringLiteral("Servo 4")}};
    case Field::Action:
        return {"action",
                {QStringLiteral("Start"), QStringLiteral("Start Loop"), QStringLiteral("Abbruch"),
                 QStringLiteral("Beenden")}};
    case Field::Curve:
        return {"curve",
                {QStringLiteral("Kurve 1"), QStringLiteral("Kurve 2"), QStringLiteral("Kurve 3"),
                 QStringLiteral("Kurve 4")}};
    case Field::Relay:
        break;
    }
    return {"relais",
            {QStringLiteral("Relais 1"), QStringLiteral("Relais 2"), QStringLiteral("Relais 3"),
             QStringLiteral("Relais 4")}};
}

constexpr std::array<Field, 4> kFields{Field::Servo, Field::Action, Field::Curve, Field::Relay};

struct FlagInfo {
    hq::ServoFlag flag;
    const char* name;
};

const std::array<FlagInfo, 4> kFlagInfos{{
    {hq::ServoFlag::VoltageOff, "cbx_v_off_"},
    {hq::ServoFlag::PulsesOff, "cbx_imp_off_"},
    {hq::ServoFlag::NoInterruption, "cbx_no_ir_"},
    {hq::ServoFlag::NoRepetition, "cbx_no_rep_"},
}};

struct StepInfo {
    const char* name; // "dec10", ...
    const char* caption;
    int step;
};

const std::array<StepInfo, 4> kSteps{{
    {"dec10", "<<", -10},
    {"dec1", "<", -1},
    {"inc1", ">", 1},
    {"inc10", ">>", 10},
}};

QString numbered(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + QString::number(n);
}

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// What a user cannot see from the captions: what each box of an assignment row chooses, what the
// actions do, and how offset and maximum make the pulse range.
QString fieldHint(Field field, int row) {
    switch (field) {
    case Field::Servo:
        return QStringLiteral("Das Servo, das die Adresse a%1 bewegt.").arg(row);
    case Field::Action:
        return QStringLiteral("Was ein Befehl an die Adresse a%1 tut:\n"
                              "Start – die gewählte Kurve einmal abfahren (mit dem gewählten Relais),\n"
                              "Start Loop – die Kurve immer wieder abfahren,\n"
                              "Abbruch – den Ablauf des Servos abbrechen,\n"
                              "Beenden – den Ablauf des Servos beenden.\n"
                              "Kurve und Relais gehören nur zu Start und Start Loop.")
            .arg(row);
    case Field::Curve:
        return QStringLiteral("Die Kurve, die Start oder Start Loop abfährt.");
    case Field::Relay:
        return QStringLiteral("Das Relais, das die roten Abschnitte der Kurve schalten.");
    }
    return {};
}

const QString kPulseHint =
    QStringLiteral("Offset: der kürzeste Impuls, bei Kurven-Position 0 (unten).\n"
                   "Maximum: der längste Impuls, bei Position 127 (oben): Offset + 127 + Faktor, je 8 µs.\n"
                   "Mit den Knöpfen << < > >> wird der Offset oder der Faktor um 10 oder 1 verstellt.");

} // namespace

ServoAssignmentPanel::ServoAssignmentPanel(hq::ServoWorkingCopy& copy, QWidget* parent)
    : QFrame(parent), copy_(copy), tabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("pnl_servo2"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    tabs_->setObjectName(QStringLiteral("servo_tabs"));
    tabs_->addTab(buildAssignments(), QStringLiteral("Zuordnung"));
    tabs_->addTab(buildTiming(), QStringLiteral("Impulse"));
    tabs_->addTab(buildFlags(), QStringLiteral("Optionen"));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->addWidget(tabs_);
    setFixedWidth(kWidth);
}

QWidget* ServoAssignmentPanel::buildAssignments() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (int row = 1; row <= hq::kAssignmentRowCount; ++row) {
        grid->addWidget(new QLabel(numbered("a", row), page), row, 0);
        for (std::size_t f = 0; f < kFields.size(); ++f) {
            const Field field = kFields[f];
            const FieldInfo info = fieldInfo(field);
            auto* box = new QComboBox(page);
            box->setObjectName(QStringLiteral("cbx_a%1_%2").arg(row).arg(QString::fromLatin1(info.name)));
            box->addItems(info.items);
            box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            box->setToolTip(fieldHint(field, row));
            rows_[static_cast<std::size_t>(row - 1)].combos[f] = box;
            grid->addWidget(box, row, static_cast<int>(f) + 1);
            connect(box, &QComboBox::currentIndexChanged, this,
                    [this, row, field](int item) { assignmentChange(row, field, item); });
        }
    }
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(hq::kAssignmentRowCount + 1, 1);
    return page;
}

QWidget* ServoAssignmentPanel::buildTiming() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(8);
    grid->addWidget(heading(QStringLiteral("Offset [ms]"), page), 0, 1, 1, 5, Qt::AlignHCenter);
    grid->addWidget(heading(QStringLiteral("Maximum [ms]"), page), 0, 7, 1, 5, Qt::AlignHCenter);
    grid->setColumnMinimumWidth(6, 12);
    for (int servo = 1; servo <= hq::kServoCurveCount; ++servo) {
        Servo& controls = servos_[static_cast<std::size_t>(servo - 1)];
        auto* servoName = new QLabel(QStringLiteral("Servo %1").arg(servo), page);
        servoName->setMinimumWidth(servoName->sizeHint().width() + 4);
        grid->addWidget(servoName, servo, 0);
        for (int which = 0; which < 2; ++which) {
            const bool offset = which == 0;
            auto* edit = new QLineEdit(page);
            edit->setObjectName(numbered(offset ? "servo_edt_Offset_" : "servo_edt_max_", servo));
            edit->setReadOnly(true);
            edit->setAlignment(Qt::AlignCenter);
            edit->setFixedWidth(46);
            edit->setToolTip(kPulseHint);
            (offset ? controls.offset : controls.maximum) = edit;
            const int first = offset ? 1 : 7;
            for (std::size_t s = 0; s < kSteps.size(); ++s) {
                const StepInfo& step = kSteps[s];
                const QString name = QString::fromLatin1(step.name) +
                                     QString::fromLatin1(offset ? "offset_" : "faktor_") +
                                     QString::number(servo);
                auto* button = new QPushButton(QString::fromLatin1(step.caption), page);
                button->setObjectName(QStringLiteral("btn_") + name);
                button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 10);
                const int column = first + static_cast<int>(s) + (s >= 2 ? 1 : 0);
                grid->addWidget(button, servo, column);
                const int delta = step.step;
                if (offset) {
                    connect(button, &QPushButton::clicked, this,
                            [this, servo, delta] { btn_offsetClick(servo, delta); });
                } else {
                    connect(button, &QPushButton::clicked, this,
                            [this, servo, delta] { btn_faktorClick(servo, delta); });
                }
            }
            grid->addWidget(edit, servo, first + 2);
        }
    }
    grid->setColumnStretch(12, 1);
    grid->setRowStretch(hq::kServoCurveCount + 1, 1);
    return page;
}

QWidget* ServoAssignmentPanel::buildFlags() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    for (int servo = 1; servo <= hq::kServoCurveCount; ++servo) {
        const int top = ((servo - 1) / 2) * 6;
        const int column = (servo - 1) % 2;
        grid->addWidget(heading(QStringLiteral("Servo %1").arg(servo), page), top, column);
        for (std::size_t f = 0; f < kFlagInfos.size(); ++f) {
            const std::string_view caption = hq::servoFlagCaption(kFlagInfos[f].flag);
            auto* box = new QCheckBox(qs(caption), page);
            box->setObjectName(numbered(kFlagInfos[f].name, servo));
            servos_[static_cast<std::size_t>(servo - 1)].flags[f] = box;
            grid->addWidget(box, top + 1 + static_cast<int>(f), column);
            connect(box, &QCheckBox::clicked, this, &ServoAssignmentPanel::flagClick);
        }
    }
    grid->setRowMinimumHeight(5, 10);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(11, 1);
    return page;
}

QComboBox* ServoAssignmentPanel::combo(int row, Field field) const {
    return rows_[static_cast<std::size_t>(row - 1)].combos[static_cast<std::size_t>(field)];
}

void ServoAssignmentPanel::showAssignments() {
    for (int row = 1; row <= hq::kAssignmentRowCount; ++row) {
        const hq::AssignmentRow bytes = hq::assignmentRow(copy_.data, row);
        const std::array<int, 4> items{hq::comboItem(hq::servoBitIndex(bytes.servoAction)),
                                       hq::comboItem(hq::actionBitIndex(bytes.servoAction)),
                                       hq::comboItem(hq::curveBitIndex(bytes.curveRelay)),
                                       hq::comboItem(hq::relayBitIndex(bytes.curveRelay))};
        for (std::size_t f = 0; f < kFields.size(); ++f) {
            QComboBox* box = combo(row, kFields[f]);
            const QSignalBlocker blocker(box);
            box->setCurrentIndex(items[f]);
        }
        applyVisibility(row);
    }
}

void ServoAssignmentPanel::applyVisibility(int row) {
    const bool shown =
        hq::curveAndRelayShown(hq::actionBitIndex(hq::assignmentRow(copy_.data, row).servoAction));
    combo(row, Field::Curve)->setVisible(shown);
    combo(row, Field::Relay)->setVisible(shown);
}

void ServoAssignmentPanel::showFlags() {
    for (int servo = 1; servo <= hq::kServoCurveCount; ++servo) {
        const int flagByte = hq::servoFlagByte(copy_.data, servo);
        for (std::size_t f = 0; f < kFlagInfos.size(); ++f) {
            QCheckBox* box = servos_[static_cast<std::size_t>(servo - 1)].flags[f];
            const QSignalBlocker blocker(box);
            box->setChecked(hq::hasFlag(flagByte, kFlagInfos[f].flag));
        }
    }
}

void ServoAssignmentPanel::showTiming() {
    const std::string separator = QLocale().decimalPoint().toStdString();
    for (int servo = 1; servo <= hq::kServoCurveCount; ++servo) {
        const Servo& controls = servos_[static_cast<std::size_t>(servo - 1)];
        const int offset = copy_.timing.offset(servo);
        const int faktor = copy_.timing.faktor(servo);
        controls.offset->setText(
            QString::fromStdString(hq::pulseMillisecondsText(hq::minimumPulseUnits(offset), separator)));
        controls.maximum->setText(QString::fromStdString(
            hq::pulseMillisecondsText(hq::maximumPulseUnits(offset, faktor), separator)));
    }
}

void ServoAssignmentPanel::assignmentChange(int row, Field field, int item) {
    hq::AssignmentRow bytes = hq::assignmentRow(copy_.data, row);
    switch (field) {
    case Field::Servo:
        bytes.servoAction = hq::withServoItem(bytes.servoAction, item);
        break;
    case Field::Action:
        bytes.servoAction = hq::withActionItem(bytes.servoAction, item);
        break;
    case Field::Curve:
        bytes.curveRelay = hq::withCurveItem(bytes.curveRelay, item);
        break;
    case Field::Relay:
        bytes.curveRelay = hq::withRelayItem(bytes.curveRelay, item);
        break;
    }
    hq::setAssignmentRow(copy_.data, row, bytes);
    if (field == Field::Action) {
        applyVisibility(row);
    }
    emit edited(QStringLiteral("Zuordnung a%1").arg(row));
}

void ServoAssignmentPanel::flagClick() {
    if (busy_) {
        return;
    }
    for (int servo = 1; servo <= hq::kServoCurveCount; ++servo) {
        for (std::size_t f = 0; f < kFlagInfos.size(); ++f) {
            hq::setServoFlag(copy_.data, servo, kFlagInfos[f].flag,
                             servos_[static_cast<std::size_t>(servo - 1)].flags[f]->isChecked());
        }
    }
    emit edited(QStringLiteral("Optionen der Servos"));
}

void ServoAssignmentPanel::btn_offsetClick(int servo, int step) {
    const int before = copy_.timing.offset(servo);
    copy_.timing.setOffset(servo, hq::steppedOffset(before, step));
    showTiming();
    if (copy_.timing.offset(servo) != before) {
        emit edited(QStringLiteral("Offset von Servo %1").arg(servo));
    }
}

void ServoAssignmentPanel::btn_faktorClick(int servo, int step) {
    const int before = copy_.timing.faktor(servo);
    copy_.timing.setFaktor(servo, hq::steppedFaktor(before, step));
    showTiming();
    if (copy_.timing.faktor(servo) != before) {
        emit edited(QStringLiteral("Faktor von Servo %1").arg(servo));
    }
}

void ServoAssignmentPanel::markChanges(const hq::ServoWorkingCopy& file) {
    const std::string separator = QLocale().decimalPoint().toStdString();
    auto ms = [&separator](int units) {
        return QString::fromStdString(hq::pulseMillisecondsText(units, separator));
    };
    for (int row = 1; row <= hq::kAssignmentRowCount; ++row) {
        const hq::AssignmentRow shown = hq::assignmentRow(copy_.data, row);
        const hq::AssignmentRow inFile = hq::assignmentRow(file.data, row);
        const std::array<std::pair<int, int>, 4> items{
            std::pair{hq::comboItem(hq::servoBitIndex(shown.servoAction)),
                      hq::comboItem(hq::servoBitIndex(inFile.servoAction))},
            std::pair{hq::comboItem(hq::actionBitIndex(shown.servoAction)),
                      hq::comboItem(hq::actionBitIndex(inFile.servoAction))},
            std::pair{hq::comboItem(hq::curveBitIndex(shown.curveRelay)),
                      hq::comboItem(hq::curveBitIndex(inFile.curveRelay))},
            std::pair{hq::comboItem(hq::relayBitIndex(shown.curveRelay)),
                      hq::comboItem(hq::relayBitIndex(inFile.curveRelay))}};
        for (std::size_t f = 0; f < kFields.size(); ++f) {
            QComboBox* box = combo(row, kFields[f]);
            const int fileItem = items[f].second;
            setChangeMark(box, items[f].first != fileItem,
                          fileItem < 0 ? QStringLiteral("–") : box->itemText(fileItem));
        }
    }
    for (int servo = 1; servo <= hq::kServoCurveCount; ++servo) {
        const Servo& controls = servos_[static_cast<std::size_t>(servo - 1)];
        const int offset = copy_.timing.offset(servo);
        const int faktor = copy_.timing.faktor(servo);
        const int fileOffset = file.timing.offset(servo);
        const int fileFaktor = file.timing.faktor(servo);
        setChangeMark(controls.offset, offset != fileOffset, ms(hq::minimumPulseUnits(fileOffset)));
        setChangeMark(controls.maximum, offset != fileOffset || faktor != fileFaktor,
                      ms(hq::maximumPulseUnits(fileOffset, fileFaktor)));
        const int flags = hq::servoFlagByte(copy_.data, servo);
        const int fileFlags = hq::servoFlagByte(file.data, servo);
        for (std::size_t f = 0; f < kFlagInfos.size(); ++f) {
            const bool on = hq::hasFlag(fileFlags, kFlagInfos[f].flag);
            setChangeMark(controls.flags[f], hq::hasFlag(flags, kFlagInfos[f].flag) != on,
                          on ? QStringLiteral("ein") : QStringLiteral("aus"));
        }
    }
}
