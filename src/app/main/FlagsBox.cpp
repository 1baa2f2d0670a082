#include "FlagsBox.h"

#include <QHBoxLayout>
#include <QRadioButton>

namespace {

QRadioButton* displayRadio(const QString& name, const QString& caption, QWidget* parent) {
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(name);
    // Pairs are set and cleared by the window, so the buttons must not uncheck each other.
    radio->setAutoExclusive(false);
    radio->setEnabled(false);
    return radio;
}

QGroupBox* pairBox(const QString& name, const QString& caption, QRadioButton* first, QRadioButton* second,
                   QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(8, 0, 8, 0);
    first->setParent(box);
    second->setParent(box);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addStretch();
    return box;
}

} // namespace

FlagsBox::FlagsBox(QWidget* parent)
    : QGroupBox(QStringLiteral("Art"), parent),
      radMm_(displayRadio(QStringLiteral("rad_mm"), QStringLiteral("MM"), this)),
      radDcc_(displayRadio(QStringLiteral("rad_dcc"), QStringLiteral("DCC"), this)),
      radSchalt_(displayRadio(QStringLiteral("rad_schalt"), QStringLiteral("Schalt"), this)),
      radFzg_(displayRadio(QStringLiteral("rad_fzg"), QStringLiteral("Fahrzeug"), this)) {
    setObjectName(QStringLiteral("GroupBoxFlags"));
    setToolTip(QStringLiteral("Anzeige, welche Funktion das geladene HEX-File hat"));

    QGroupBox* protocolBox =
        pairBox(QStringLiteral("GroupBox3"), QStringLiteral(" Protokoll "), radMm_, radDcc_, this);
    protocolBox->setToolTip(
        QStringLiteral("Anzeige, ob das geladene HEX-File für Motorola (MM) oder DCC-Protokoll ist"));
    protocolBox->setEnabled(false);
    QGroupBox* typeBox =
        pairBox(QStringLiteral("GroupBox4"), QStringLiteral("Typ"), radSchalt_, radFzg_, this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 2);
    layout->addWidget(protocolBox);
    layout->addWidget(typeBox);
    hide();
}

void FlagsBox::showRecognition(hq::Protocol protocol, hq::DecoderType type) {
    radMm_->setChecked(protocol == hq::Protocol::MM);
    radDcc_->setChecked(protocol == hq::Protocol::DCC);
    radSchalt_->setChecked(type == hq::DecoderType::Schalt);
    radFzg_->setChecked(type == hq::DecoderType::Fahrzeug);
}

void FlagsBox::clear() {
    showRecognition(hq::Protocol::None, hq::DecoderType::None);
}
