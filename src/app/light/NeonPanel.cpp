#include "light/NeonPanel.h"

#include "NumberField.h"
#include "light/UpDownField.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QStringList>

namespace {

QString explanation() {
    return QStringList{
        QStringLiteral("Zwischen diesen beiden Helligkeits-Stufen kann über die "),
        QStringLiteral("2. Adresse umgeschaltet werden. "),
        QStringLiteral(" "),
        QStringLiteral("Es kann jetzt z.B. ein abgestellter Zug mit 'Notlicht' auf dem"),
        QStringLiteral("Gleis stehen oder es können unterschiedliche Beleuchtungs-"),
        QStringLiteral("Stufen für Tag- und Nachtbetrieb realisiert werden."),
        QStringLiteral(" "),
        QStringLiteral("Niedrige Werte zeigen eine Tendenz zum Flackern und "),
        QStringLiteral("der Neon-Effekt ist schlecht erkennbar. "),
    }
        .join(QLatin1Char('\n'));
}

std::size_t indexOf(hq::NeonValue which) {
    return static_cast<std::size_t>(which);
}

} // namespace

NeonPanel::NeonPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pnl_wz_f_neon"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setVerticalSpacing(6);
    grid->setHorizontalSpacing(12);

    addValueRow(grid, 0, hq::NeonValue::Hell, QStringLiteral("hellfaktor"),
                QStringLiteral("Licht-Stufe HELL (0..255)"));
    addValueRow(grid, 1, hq::NeonValue::Dunkel, QStringLiteral("dunkelfaktor"),
                QStringLiteral("Licht-Stufe DUNKEL (0..255)"));

    // The explanation keeps its line breaks; the panel is as wide as its longest line.
    auto* text = new QLabel(explanation(), this);
    text->setObjectName(QStringLiteral("f_neon_lbl_info"));
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(text, 2, 0, 1, 3);
    grid->setRowMinimumHeight(3, fontMetrics().height());

    addValueRow(grid, 4, hq::NeonValue::Delay, QStringLiteral("verzoegerung"),
                QStringLiteral("Verzögerungs-Zeit (x 0.5 sec)"));
    grid->setColumnStretch(1, 1);
}

void NeonPanel::addValueRow(QGridLayout* grid, int row, hq::NeonValue which, const QString& role,
                            const QString& caption) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("f_neon_lbl_") + role);
    const UpDownField made =
        makeUpDownField(this, QStringLiteral("f_neon_edt_") + role, QStringLiteral("f_neon_ud_") + role, 0,
                        255, QStringLiteral("0 = dunkel, 255 = max. Helligkeit"));
    label->setBuddy(made.field);
    grid->addWidget(label, row, 0);
    grid->addLayout(made.row, row, 2);
    edits_.at(indexOf(which)) = made.field;
    upDowns_.at(indexOf(which)) = made.arrows;
}

NumberField* NeonPanel::edit(hq::NeonValue which) const {
    return edits_.at(indexOf(which));
}

QSpinBox* NeonPanel::upDown(hq::NeonValue which) const {
    return upDowns_.at(indexOf(which));
}
