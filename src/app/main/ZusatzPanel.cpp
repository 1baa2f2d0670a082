#include "ZusatzPanel.h"

#include "Metrics.h"
#include "UpDownAssociate.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

constexpr int kHeight = 42;
constexpr int kHeightWithMinimum = 70;
constexpr int kExtraEditLeft = 230;

} // namespace

ZusatzPanel::ZusatzPanel(QWidget* parent)
    : QFrame(parent), caption_(new QLabel(this)), extra_(new QLineEdit(this)),
      minimumCaption_(new QLabel(QStringLiteral("Mindestanzahl (1..9)"), this)),
      minimum_(new QLineEdit(this)), upDown_(new QSpinBox(this)) {
    setObjectName(QStringLiteral("pnl_Zusatz"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setGeometry(kLeft, 5, kWidth, kHeight);

    caption_->setObjectName(QStringLiteral("lbl_zusatz"));
    caption_->setGeometry(10, 10, kExtraEditLeft - 15, kFieldHeight);
    extra_->setObjectName(QStringLiteral("edt_zusatz"));
    extra_->setGeometry(kExtraEditLeft, 10, 50, kFieldHeight);
    caption_->setBuddy(extra_);

    minimumCaption_->setObjectName(QStringLiteral("lbl_MindestAnzahl"));
    minimumCaption_->setGeometry(10, 38, kExtraEditLeft - 15, kFieldHeight);
    minimum_->setObjectName(QStringLiteral("edt_mindestAnzahl"));
    minimum_->setToolTip(QStringLiteral("Anzahl der mindest aktiven Ausgänge beim Ablauf"));
    minimum_->setText(QStringLiteral("9"));
    minimum_->setGeometry(kExtraEditLeft, 38, 32, kFieldHeight);
    minimumCaption_->setBuddy(minimum_);

    // The up-down shows only its arrows, right beside the edit.
    upDown_->setObjectName(QStringLiteral("UpDown5"));
    upDown_->setRange(1, 9);
    upDown_->setValue(9);
    upDown_->setGeometry(kExtraEditLeft + 32, 38, 18, kFieldHeight);
    upDown_->setFocusPolicy(Qt::NoFocus);
    new UpDownAssociate(minimum_, upDown_);
    minimum_->installEventFilter(this);

    clear();
}

void ZusatzPanel::clear() {
    caption_->clear();
    minimumCaption_->hide();
    minimum_->hide();
    upDown_->hide();
    hide();
}

void ZusatzPanel::showExtra(const QString& caption, const QString& hint) {
    caption_->setText(caption);
    extra_->setToolTip(hint);
    show();
}

bool ZusatzPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == minimum_ &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
        resize(width(), event->type() == QEvent::ShowToParent ? kHeightWithMinimum : kHeight);
    }
    return QFrame::eventFilter(watched, event);
}
