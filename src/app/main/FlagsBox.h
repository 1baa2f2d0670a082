#pragma once
// GroupBoxFlags ("Art"): shows, with four disabled radio buttons, the protocol and the decoder type
// that recognition found. The user never edits them.

#include "image/Recognition.h"

#include <QGroupBox>

class QRadioButton;

class FlagsBox : public QGroupBox {
    Q_OBJECT
public:
    explicit FlagsBox(QWidget* parent = nullptr);

    // Checks rad_mm or rad_dcc and rad_schalt or rad_fzg; None leaves both of a pair unchecked.
    void showRecognition(hq::Protocol protocol, hq::DecoderType type);
    // Unchecks all four.
    void clear();

    QRadioButton* radMm() const { return radMm_; }
    QRadioButton* radDcc() const { return radDcc_; }
    QRadioButton* radSchalt() const { return radSchalt_; }
    QRadioButton* radFzg() const { return radFzg_; }

private:
    QRadioButton* radMm_;
    QRadioButton* radDcc_;
    QRadioButton* radSchalt_;
    QRadioButton* radFzg_;
};
