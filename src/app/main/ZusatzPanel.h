#pragma once
// pnl_Zusatz: the extra value of the firmware (`lbl_zusatz`, `edt_zusatz`) and the minimum count of
// active outputs of the house-light firmware (`lbl_MindestAnzahl`, `edt_mindestAnzahl`, `UpDown5`).
// The minimum-count controls are shown and handled by the house-light editor.

#include <QFrame>

class QLabel;
class QLineEdit;
class QSpinBox;

class ZusatzPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kLeft = 410;
    static constexpr int kWidth = 320;

    explicit ZusatzPanel(QWidget* parent = nullptr);

    // Hides the panel and the minimum-count controls and empties the caption.
    void clear();
    // Shows the panel with the caption and hint of the firmware's extra value.
    void showExtra(const QString& caption, const QString& hint);

    QLabel* captionLabel() const { return caption_; }
    QLineEdit* extraEdit() const { return extra_; }
    QLabel* minimumCaptionLabel() const { return minimumCaption_; }
    QLineEdit* minimumEdit() const { return minimum_; }
    QSpinBox* minimumUpDown() const { return upDown_; }

protected:
    // The panel grows by a line while the minimum-count controls are shown.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caption_;
    QLineEdit* extra_;
    QLabel* minimumCaption_;
    QLineEdit* minimum_;
    QSpinBox* upDown_;
};
