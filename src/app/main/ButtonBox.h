#pragma once
// GroupBoxButtons: "HEX laden", "HEX speichern", "Info", "Ende" and ProgressBar1. The buttons stand
// in one row, or in two beside an editor, where the box shares the row under the grid with the
// picture.

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

    // Two rows of two buttons instead of one row of four.
    void setCompact(bool compact);
    bool isCompact() const { return !oneRow_; }

private:
    void arrange(bool oneRow);

    QPushButton* load_;
    QPushButton* save_;
    QPushButton* close_;
    QPushButton* info_;
    QProgressBar* progress_;
    QGridLayout* layout_;
    bool oneRow_ = true;
};
