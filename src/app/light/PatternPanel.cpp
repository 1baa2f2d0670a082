#include "light/PatternPanel.h"

#include "NumberField.h"
#include "QtText.h"
#include "light/PatternBank.h"
#include "light/PatternCanvas.h"
#include "light/UpDownField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Ten LED drawings stand closer together than the four blink drawings, so the panel keeps the
// height it has always had.
int outputGap(int outputs) {
    return outputs > 4 ? 2 : 4;
}

const QString kRule = QStringLiteral("obere Hälfte: an, untere Hälfte: aus");

} // namespace

PatternPanel::PatternPanel(const PatternPanelConfig& config, QWidget* parent)
    : QFrame(parent), config_(config) {
    setObjectName(config_.panelName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(buildHead());
    layout->addLayout(buildOutputs());
    layout->addLayout(buildFoot());
    layout->addStretch(1);
}

QLayout* PatternPanel::buildHead() {
    auto* group = new QGroupBox(QStringLiteral("Parameter für ..."), this);
    group->setObjectName(name(QStringLiteral("grp_adresse")));
    auto* addresses = new QHBoxLayout(group);
    addresses->setContentsMargins(8, 2, 8, 4);
    for (int a = 1; a <= hq::kPatternAddresses; ++a) {
        auto* button = new QRadioButton(QStringLiteral("Adresse %1").arg(a), group);
        button->setObjectName(name(QStringLiteral("rad_a%1").arg(a)));
        button->setToolTip(
            QStringLiteral("Auswahl, für welche Adresse die Angezeigten Parameter gültig sind"));
        addresses->addWidget(button);
        addressButtons_.push_back(button);
    }
    addressButtons_.front()->setChecked(true);

    timeGrid_ = new QLabel(this);
    timeGrid_->setObjectName(name(QStringLiteral("lbl_KurveInfo1")));
    totalTime_ = new QLabel(this);
    totalTime_->setObjectName(name(QStringLiteral("lbl_KurveInfo2")));
    // Room for the longest times, so that the panel keeps its width whatever they say.
    const int longest = config_.maxStretch();
    for (QLabel* label : {timeGrid_, totalTime_}) {
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(
            qs(hq::totalTimeText(longest, config_.maxCount())) + QStringLiteral(" ")));
    }
    auto* times = new QVBoxLayout;
    times->setSpacing(0);
    times->addWidget(timeGrid_);
    times->addWidget(totalTime_);
    times->addStretch(1);

    auto* numbers = new QHBoxLayout;
    numbers->addLayout(numberRow(QStringLiteral("Anzahl"), QStringLiteral("Anzahl Punkte"),
                                 QStringLiteral("Anzahl der Kurven-Punkte\n(so viele Schritte spielt das "
                                                "Muster; Schritte dahinter bleiben gespeichert)"),
                                 config_.maxCount(), &count_, &countUpDown_));
    numbers->addSpacing(12);
    numbers->addLayout(numberRow(QStringLiteral("stretch"), QStringLiteral("Stretch-Faktor"),
                                 QStringLiteral("ermöglicht es, den Ablauf zu Verlangsamen\n(jeder Schritt "
                                                "dauert 20 ms × Stretch-Faktor)"),
                                 config_.maxStretch(), &stretch_, &stretchUpDown_));
    numbers->addStretch(1);

    loop_ = new QCheckBox(QStringLiteral("Loop"), this);
    loop_->setObjectName(name(QStringLiteral("cbx_loop")));
    loop_->setToolTip(QStringLiteral("Ablauf wieder immer wieder neu gestartet"));

    auto* head = new QGridLayout;
    head->setHorizontalSpacing(8);
    head->setVerticalSpacing(6);
    head->addWidget(group, 0, 0);
    head->addLayout(times, 0, 1);
    head->addLayout(numbers, 1, 0);
    head->addWidget(loop_, 1, 1);
    head->setColumnStretch(2, 1);
    return head;
}

QLayout* PatternPanel::numberRow(const QString& role, const QString& caption, const QString& hint,
                                 int maximum, NumberField** field, QSpinBox** upDown) {
    auto* label = new QLabel(caption, this);
    const UpDownField made = makeUpDownField(this, name(QStringLiteral("edt_") + role),
                                             name(QStringLiteral("ud_") + role), 1, maximum, hint);
    label->setBuddy(made.field);
    *field = made.field;
    *upDown = made.arrows;
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(label);
    row->addLayout(made.row);
    return row;
}

QLayout* PatternPanel::buildOutputs() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(outputGap(config_.outputs()));

    // The drawing rule stands right above the drawings, with the manual's page beside it.
    rule_ = new QLabel(kRule, this);
    rule_->setObjectName(name(QStringLiteral("lbl_regel")));
    rule_->setToolTip(QStringLiteral("Klicken oder mit gedrückter linker Maustaste ziehen: in der oberen "
                                     "Hälfte eines Schritts wird er eingeschaltet, in der unteren aus."));
    auto* manual = new QToolButton(this);
    manual->setText(QStringLiteral("?"));
    manual->setObjectName(name(QStringLiteral("btn_handbuch")));
    manual->setToolTip(QStringLiteral("Handbuch: Muster zeichnen"));
    connect(manual, &QToolButton::clicked, this, &PatternPanel::manualRequested);
    auto* ruleRow = new QHBoxLayout;
    ruleRow->addWidget(rule_);
    ruleRow->addWidget(manual);
    ruleRow->addStretch(1);
    grid->addLayout(ruleRow, 0, 1);

    for (int n = 1; n <= config_.outputs(); ++n) {
        const QString hint = QStringLiteral("Ausgang %1 verwenden (wird sonst nicht beeinflusst)").arg(n);
        auto* box = new QCheckBox(this);
        box->setObjectName(name(QStringLiteral("cbx_out%1").arg(n)));
        box->setToolTip(hint);
        outputBoxes_.push_back(box);
        auto* caption = new QLabel(QStringLiteral("Out#%1").arg(n), this);
        caption->setObjectName(name(QStringLiteral("lbl_out%1").arg(n)));
        caption->setToolTip(hint);
        auto* column = new QVBoxLayout;
        column->setSpacing(0);
        column->addWidget(box);
        column->addWidget(caption);
        column->addStretch(1);

        auto* canvas = new PatternCanvas(n, PatternPanelConfig::kImageWidth, config_.imageHeight, this);
        canvas->setObjectName(config_.imagePrefix + QString::number(n));
        canvas->setToolTip(QStringLiteral("Out#%1: jeder Balken ist ein Schritt des Musters (20 ms × "
                                          "Stretch-Faktor).\nKlicken oder mit "
                                          "gedrückter linker Maustaste ziehen: in der oberen Hälfte wird der "
                                          "Schritt eingeschaltet, in der "
                                          "unteren aus.")
                               .arg(n));
        // An output not in use keeps its place: the drawings below do not move up.
        QSizePolicy policy = canvas->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        canvas->setSizePolicy(policy);
        canvases_.push_back(canvas);
        grid->addLayout(column, n, 0);
        grid->addWidget(canvas, n, 1, Qt::AlignLeft | Qt::AlignTop);
    }
    grid->setColumnStretch(2, 1);
    return grid;
}

// Two rows: the copy buttons, then "Verwerfen" and "Übernehmen" at the right edge.
QLayout* PatternPanel::buildFoot() {
    auto* copies = new QHBoxLayout;
    copies->addWidget(new QLabel(QStringLiteral("Kurve kopieren"), this));
    for (int a = 1; a <= hq::kPatternAddresses; ++a) {
        auto* button = new QPushButton(QStringLiteral("von #%1").arg(a), this);
        button->setObjectName(name(QStringLiteral("btn_copy%1").arg(a)));
        button->setToolTip(QStringLiteral("Kopieren der Kurvenformen von Adresse %1").arg(a));
        copies->addWidget(button);
        copyButtons_.push_back(button);
    }
    copies->addStretch(1);

    discard_ = new QPushButton(QStringLiteral("Verwerfen"), this);
    discard_->setObjectName(name(QStringLiteral("btn_verwerfen")));
    accept_ = new QPushButton(QStringLiteral("Übernehmen"), this);
    accept_->setObjectName(name(QStringLiteral("btn_uebernehmen")));
    accept_->setEnabled(false);
    auto* decisions = new QHBoxLayout;
    decisions->addStretch(1);
    decisions->addWidget(discard_);
    decisions->addWidget(accept_);

    auto* foot = new QVBoxLayout;
    foot->addLayout(copies);
    foot->addLayout(decisions);
    return foot;
}

void PatternPanel::setEditable(bool editable) {
    for (PatternCanvas* canvas : canvases_)
        canvas->setEnabled(editable);
    for (QCheckBox* box : outputBoxes_)
        box->setEnabled(editable);
    for (QWidget* control :
         std::initializer_list<QWidget*>{count_, stretch_, countUpDown_, stretchUpDown_, loop_})
        control->setEnabled(editable);
    if (!editable)
        for (QPushButton* button : copyButtons_)
            button->setEnabled(false);
}
