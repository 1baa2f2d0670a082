#include "light/NeonPanel.h"

#include "Metrics.h"
#include "main/UpDownAssociate.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int kNeonEditLeft = 220;

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

// The explanation keeps its line breaks; a smaller font makes its longest line fit the panel.
void fitLinesToWidth(QLabel* label) {
    QFont font = label->font();
    const QStringList lines = label->text().split(QLatin1Char('\n'));
    auto widest = [&lines](const QFont& f) {
        QFontMetrics metrics(f);
        int width = 0;
        for (const QString& line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        return width;
    };
    while (widest(font) > label->width() && font.pointSizeF() > 6.0)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}

} // namespace

NeonPanel::NeonPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pnl_wz_f_neon"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);

    hell_ = valueEdit(QStringLiteral("hellfaktor"), QStringLiteral("Licht-Stufe HELL (0..255)"), 10,
                      &hellUpDown_);
    dunkel_ = valueEdit(QStringLiteral("dunkelfaktor"), QStringLiteral("Licht-Stufe DUNKEL (0..255)"), 38,
                        &dunkelUpDown_);

    auto* text = new QLabel(explanation(), this);
    text->setObjectName(QStringLiteral("f_neon_lbl_info"));
    text->setGeometry(10, 70, kWidth - 20, 138);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fitLinesToWidth(text);

    delay_ = valueEdit(QStringLiteral("verzoegerung"), QStringLiteral("Verzögerungs-Zeit (x 0.5 sec)"), 214,
                       &delayUpDown_);

    resize(kWidth, 246);
    hide();
}

QLineEdit* NeonPanel::valueEdit(const QString& role, const QString& caption, int top, QSpinBox** upDown) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("f_neon_lbl_") + role);
    label->setGeometry(10, top + 2, kNeonEditLeft - 15, 18);
    auto* edit = new QLineEdit(QStringLiteral("0"), this);
    edit->setObjectName(QStringLiteral("f_neon_edt_") + role);
    edit->setToolTip(QStringLiteral("0 = dunkel, 255 = max. Helligkeit"));
    edit->setGeometry(kNeonEditLeft, top, 40, kFieldHeight);
    label->setBuddy(edit);

    // The up-down shows only its arrows, right beside the edit.
    auto* arrows = new QSpinBox(this);
    arrows->setObjectName(QStringLiteral("f_neon_ud_") + role);
    arrows->setRange(0, 255);
    arrows->setValue(0);
    arrows->setFocusPolicy(Qt::NoFocus);
    arrows->setGeometry(kNeonEditLeft + 40, top, 18, kFieldHeight);
    new UpDownAssociate(edit, arrows);
    *upDown = arrows;
    return edit;
}

QLineEdit* NeonPanel::edit(hq::NeonValue which) const {
    switch (which) {
    case hq::NeonValue::Hell:
        return hell_;
    case hq::NeonValue::Dunkel:
        return dunkel_;
    case hq::NeonValue::Delay:
        break;
    }
    return delay_;
}

QSpinBox* NeonPanel::upDown(hq::NeonValue which) const {
    switch (which) {
    case hq::NeonValue::Hell:
        return hellUpDown_;
    case hq::NeonValue::Dunkel:
        return dunkelUpDown_;
    case hq::NeonValue::Delay:
        break;
    }
    return delayUpDown_;
}
