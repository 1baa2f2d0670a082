#pragma once
// pnl_Zusatz: the extra value of the firmware (`lbl_zusatz`, `edt_zusatz`), a view of the document's
// extra value.

#include "NumberField.h"

#include <QFrame>

class DocumentChange;
class FirmwareDocument;
class QGridLayout;
class QLabel;

class ZusatzPanel : public QFrame {
    Q_OBJECT
public:
    ZusatzPanel(FirmwareDocument& document, QWidget* parent = nullptr);

    // Whether the loaded firmware has an extra value (the panel then shows).
    bool hasExtra() const { return hasExtra_; }

    QLabel* captionLabel() const { return caption_; }
    NumberField* extraEdit() const { return extra_; }

private:
    void showFirmware();
    void showChange(const DocumentChange& change);

    FirmwareDocument& document_;
    QGridLayout* layout_;
    QLabel* caption_;
    NumberField* extra_;
    bool hasExtra_ = false;
};
