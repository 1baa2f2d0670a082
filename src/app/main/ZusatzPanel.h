#pragma once
// pnl_Zusatz: the extra value of the firmware (`lbl_zusatz`, `edt_zusatz`), a view of the document's
// extra value, and the minimum count of active outputs of the house-light firmware
// (`lbl_MindestAnzahl`, `edt_mindestAnzahl`, `UpDown5`), which the house-light editor shows, fills
// and reads until it owns a field of its own; those controls are built when it first asks for them.

#include "NumberField.h"

#include <QFrame>

class DocumentChange;
class FirmwareDocument;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSpinBox;

class ZusatzPanel : public QFrame {
    Q_OBJECT
public:
    ZusatzPanel(FirmwareDocument& document, QWidget* parent = nullptr);

    // Whether the loaded firmware has an extra value (the panel then shows).
    bool hasExtra() const { return hasExtra_; }

    QLabel* captionLabel() const { return caption_; }
    NumberField* extraEdit() const { return extra_; }
    QLabel* minimumCaptionLabel();
    QLineEdit* minimumEdit();
    QSpinBox* minimumUpDown();

private:
    void showFirmware();
    void showChange(const DocumentChange& change);
    void buildMinimumControls();

    FirmwareDocument& document_;
    QGridLayout* layout_;
    QLabel* caption_;
    NumberField* extra_;
    QLabel* minimumCaption_ = nullptr;
    QLineEdit* minimum_ = nullptr;
    QSpinBox* upDown_ = nullptr;
    bool hasExtra_ = false;
};
