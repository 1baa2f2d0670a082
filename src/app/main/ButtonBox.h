#pragma once
// GroupBoxButtons: "HEX laden", "HEX speichern", "Info", "Ende" and ProgressBar1. The buttons stand
// in one row, or in two when the box is made too narrow for one (the servo and pattern editors
// narrow it).

#include <QGroupBox>

class QGridLayout;
class QProgressBar;
class QPushButton;

class ButtonBox : public QGroupBox {
    Q_OBJECT
public:
    explicit ButtonBox(QWidget* parent = nullptr);

    QPushButton* loadButton() const { return load_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* infoButton() const { return info_; }
    QProgressBar* progressBar() const { return progress_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange(bool oneRow);
    int oneRowWidth() const;

    QPushButton* load_;
    QPushButton* save_;
    QPushButton* close_;
    QPushButton* info_;
    QProgressBar* progress_;
    QGridLayout* layout_;
    bool oneRow_ = true;
};
