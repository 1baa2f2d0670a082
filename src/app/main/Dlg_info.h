#pragma once
// "HEX File Information": the data EEPROM as 8 rows of 16 bytes (Memo1) and every line of the line
// table (Memo3), for the curious; nothing in it can be changed.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace hq {
struct Firmware;
}

class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    // `firmware` may be null before the first load: the EEPROM lines then hold only separators.
    explicit TfrmInfo(const hq::Firmware* firmware, QWidget* parent = nullptr);

    // The memo texts, one string per line.
    static QStringList eepromLines(const hq::Firmware* firmware);
    static QStringList registerLines(const hq::Firmware* firmware);

    void btn_closeClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* memo1_;
    QPlainTextEdit* memo3_;
    QPushButton* close_;
};
