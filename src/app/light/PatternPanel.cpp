#include "light/PatternPanel.h"

#include "EditorHost.h"
#include "Metrics.h"
#include "light/PatternCanvas.h"
#include "main/UpDownAssociate.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QSpinBox>

#include <algorithm>

namespace {

constexpr int kHeadHeight = 76;
constexpr int kRightColumn = 374;
// Each image has its check box and caption in a column to its left.
constexpr int kImageLeft = 54;
constexpr int kButtonHeight = 25;
// The copy buttons follow their caption.
constexpr int kCopyCaptionWidth = 98;
constexpr int kCopyButtonsOffset = 100;
constexpr int kCopyButtonPitch = 60;
constexpr int kCopyButtonWidth = 56;

// Ten LED images need tighter rows than the four blink images to stay above the button row.
int outputGap(int outputs) {
    return outputs > 4 ? 2 : 4;
}

} // namespace

PatternPanel::PatternPanel(const PatternPanelConfig& config, QWidget* parent)
    : QFrame(parent), config_(config) {
    setObjectName(config_.panelName);
    buildHead();
    const int footTop = buildOutputs(kHeadHeight) + 6;
    buildFoot(footTop);
    const int height = footTop + 2 * kButtonHeight + 8;
    resize(kWidth, height);
    hide();
}

void PatternPanel::fitInto(const EditorRoom& room) {
    move(room.area.topLeft());
    const int footLeft = std::max(0, room.lowerLeft - room.area.left());
    placeFoot(footLeft);
    const int rowTop = room.buttonRowTop - room.area.top();
    if (height() > rowTop)
        setMask(QRegion(0, 0, width(), rowTop) +
                QRegion(footLeft, rowTop, width() - footLeft, height() - rowTop));
    else
        clearMask();
}

void PatternPanel::buildHead() {
    auto* group = new QGroupBox(QStringLiteral("Parameter für ..."), this);
    group->setObjectName(name(QStringLiteral("grp_adresse")));
    group->setGeometry(0, 0, 366, 44);
    for (int a = 1; a <= hq::kPatternAddresses; ++a) {
        auto* button = new QRadioButton(QStringLiteral("Adresse %1").arg(a), group);
        button->setObjectName(name(QStringLiteral("rad_a%1").arg(a)));
        button->setToolTip(
            QStringLiteral("Auswahl, für welche Adresse die Angezeigten Parameter gültig sind"));
        button->setGeometry(8 + 88 * (a - 1), 18, 86, 20);
        addressButtons_.push_back(button);
    }
    addressButtons_.front()->setChecked(true);

    timeGrid_ = new QLabel(this);
    timeGrid_->setObjectName(name(QStringLiteral("lbl_KurveInfo1")));
    timeGrid_->setGeometry(kRightColumn, 6, kWidth - kRightColumn, 18);
    totalTime_ = new QLabel(this);
    totalTime_->setObjectName(name(QStringLiteral("lbl_KurveInfo2")));
    totalTime_->setGeometry(kRightColumn, 24, kWidth - kRightColumn, 18);

    count_ = numberEdit(QStringLiteral("Anzahl"), QStringLiteral("Anzahl Punkte"),
                        QStringLiteral("Anzahl der Kurven-Punkte\n(so viele Schritte spielt das Muster; "
                                       "Schritte dahinter bleiben gespeichert)"),
                        0, 50, config_.maxCount(), &countUpDown_);
    stretch_ = numberEdit(QStringLiteral("stretch"), QStringLiteral("Stretch-Faktor"),
                          QStringLiteral("ermöglicht es, den Ablauf zu Verlangsamen\n(jeder Schritt dauert "
                                         "20 ms × Stretch-Faktor)"),
                          160, 50, config_.maxStretch(), &stretchUpDown_);

    loop_ = new QCheckBox(QStringLiteral("Loop"), this);
    loop_->setObjectName(name(QStringLiteral("cbx_loop")));
    loop_->setToolTip(QStringLiteral("Ablauf wieder immer wieder neu gestartet"));
    loop_->setGeometry(kRightColumn, 50, 120, kFieldHeight);
}

QLineEdit* PatternPanel::numberEdit(const QString& role, const QString& caption, const QString& hint,
                                    int left, int top, int maximum, QSpinBox** upDown) {
    auto* label = new QLabel(caption, this);
    label->setGeometry(left, top + 2, 88, 18);
    auto* edit = new QLineEdit(QStringLiteral("10"), this);
    edit->setObjectName(name(QStringLiteral("edt_") + role));
    edit->setToolTip(hint);
    edit->setGeometry(left + 90, top, 38, kFieldHeight);
    label->setBuddy(edit);

    // The up-down shows only its arrows, right beside the edit.
    auto* arrows = new QSpinBox(this);
    arrows->setObjectName(name(QStringLiteral("ud_") + role));
    arrows->setRange(1, maximum);
    arrows->setValue(10);
    arrows->setFocusPolicy(Qt::NoFocus);
    arrows->setGeometry(left + 128, top, 18, kFieldHeight);
    new UpDownAssociate(edit, arrows);
    *upDown = arrows;
    return edit;
}

int PatternPanel::buildOutputs(int top) {
    const int pitch = config_.imageHeight + outputGap(config_.outputs());
    for (int n = 1; n <= config_.outputs(); ++n) {
        const int y = top + pitch * (n - 1);
        const QString hint = QStringLiteral("Ausgang %1 verwenden (wird sonst nicht beeinflusst)").arg(n);
        auto* box = new QCheckBox(this);
        box->setObjectName(name(QStringLiteral("cbx_out%1").arg(n)));
        box->setToolTip(hint);
        box->setGeometry(0, y, 20, 18);
        outputBoxes_.push_back(box);
        auto* caption = new QLabel(QStringLiteral("Out#%1").arg(n), this);
        caption->setObjectName(name(QStringLiteral("lbl_out%1").arg(n)));
        caption->setToolTip(hint);
        caption->setGeometry(0, y + 19, kImageLeft - 2, 17);

        auto* canvas = new PatternCanvas(PatternPanelConfig::kImageWidth, config_.imageHeight, this);
        canvas->setObjectName(config_.imagePrefix + QString::number(n));
        canvas->setToolTip(QStringLiteral("Out#%1: jeder Balken ist ein Schritt des Musters (20 ms × "
                                          "Stretch-Faktor).\nKlicken oder mit "
                                          "gedrückter linker Maustaste ziehen: in der oberen Hälfte wird der "
                                          "Schritt eingeschaltet, in der "
                                          "unteren aus.")
                               .arg(n));
        canvas->move(kImageLeft, y);
        canvases_.push_back(canvas);
    }
    return top + pitch * config_.outputs() - outputGap(config_.outputs());
}

// Two rows: the copy buttons, then "Verwerfen" and "Übernehmen" at the right edge.
void PatternPanel::buildFoot(int top) {
    footTop_ = top;
    copyCaption_ = new QLabel(QStringLiteral("Kurve kopieren"), this);
    for (int a = 1; a <= hq::kPatternAddresses; ++a) {
        auto* button = new QPushButton(QStringLiteral("von #%1").arg(a), this);
        button->setObjectName(name(QStringLiteral("btn_copy%1").arg(a)));
        button->setToolTip(QStringLiteral("Kopieren der Kurvenformen von Adresse %1").arg(a));
        copyButtons_.push_back(button);
    }
    placeFoot(0);
    const int second = top + kButtonHeight + 6;
    discard_ = new QPushButton(QStringLiteral("Verwerfen"), this);
    discard_->setObjectName(name(QStringLiteral("btn_verwerfen")));
    discard_->setGeometry(kWidth - 196, second, 92, kButtonHeight);
    accept_ = new QPushButton(QStringLiteral("Übernehmen"), this);
    accept_->setObjectName(name(QStringLiteral("btn_uebernehmen")));
    accept_->setGeometry(kWidth - 100, second, 98, kButtonHeight);
    accept_->setEnabled(false);
}

void PatternPanel::placeFoot(int left) {
    copyCaption_->setGeometry(left, footTop_ + 4, kCopyCaptionWidth, 18);
    for (int a = 1; a <= hq::kPatternAddresses; ++a)
        copyButtons_.at(static_cast<std::size_t>(a - 1))
            ->setGeometry(left + kCopyButtonsOffset + kCopyButtonPitch * (a - 1), footTop_, kCopyButtonWidth,
                          kButtonHeight);
}
