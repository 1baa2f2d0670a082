#include "ServoFlagsPage.h"

#include "ChangeMark.h"
#include "QtText.h"
#include "ServoCaptions.h"
#include "document/ServoEdits.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSignalBlocker>

namespace {

// The object names' stems, in the order of hq::kServoFlags.
constexpr std::array<const char*, 4> kNames{"cbx_v_off_", "cbx_imp_off_", "cbx_no_ir_", "cbx_no_rep_"};

} // namespace

ServoFlagsPage::ServoFlagsPage(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    // As high as the first tab's rows, so that the panel keeps its size when this tab is opened.
    grid->setContentsMargins(8, 4, 8, 2);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    for (int servo = 1; servo <= hq::kServoCurveCount; ++servo) {
        // Two servos side by side, two rows of them.
        const int top = ((servo - 1) / 2) * 6;
        const int column = (servo - 1) % 2;
        grid->addWidget(groupHeading(QStringLiteral("Servo %1").arg(servo), this), top, column);
        for (std::size_t f = 0; f < hq::kServoFlags.size(); ++f) {
            const hq::ServoFlag flag = hq::kServoFlags[f];
            auto* box = new QCheckBox(qs(hq::servoFlagCaption(flag)), this);
            box->setObjectName(QString::fromLatin1(kNames[f]) + QString::number(servo));
            boxes_[static_cast<std::size_t>(servo - 1)][f] = box;
            grid->addWidget(box, top + 1 + static_cast<int>(f), column);
            connect(box, &QCheckBox::clicked, this,
                    [this, servo, flag](bool on) { emit flagSet(servo, flag, on); });
        }
    }
    grid->setRowMinimumHeight(5, 8);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(11, 1);
}

void ServoFlagsPage::showFlags(const ServoEdits& edits) {
    for (int servo = 1; servo <= hq::kServoCurveCount; ++servo) {
        for (std::size_t f = 0; f < hq::kServoFlags.size(); ++f) {
            const hq::ServoFlag flag = hq::kServoFlags[f];
            QCheckBox* box = boxes_[static_cast<std::size_t>(servo - 1)][f];
            const bool on = edits.flag(servo, flag);
            if (box->isChecked() != on) {
                const QSignalBlocker blocker(box);
                box->setChecked(on);
            }
            const bool inFile = edits.flag(servo, flag, ServoEdits::Copy::File);
            setChangeMark(box, on != inFile, inFile ? QStringLiteral("ein") : QStringLiteral("aus"));
        }
    }
}
