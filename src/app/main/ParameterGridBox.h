#pragma once
// GroupBoxMain: the 32 parameter rows (caption, address, function number, "R/G"), the divider `Line`
// between the two columns and GroupBoxFlags. Row 0 exists but is never shown.

#include "encode/SaveEncoder.h"
#include "image/Recognition.h"
#include "settings/FirmwareSettings.h"

#include <QColor>
#include <QGroupBox>

#include <array>

class FlagsBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class ParameterGridBox : public QGroupBox {
    Q_OBJECT
public:
    // Address field colours of accessory firmwares: the green and the red address of an output.
    static const QColor kGreen;
    static const QColor kRed;

    explicit ParameterGridBox(QWidget* parent = nullptr);

    // Hides every row, the divider and GroupBoxFlags and empties the row captions.
    void clear();
    // Places the rows for the firmware's rows per column, sets captions and hints and shows the
    // rows that have a caption, unless the protocol is unknown.
    void showFirmware(const hq::Recognition& recognition);
    // Shows the rows' texts of `shown` (a field keeps its text, and its cursor, while it holds them
    // already), colours the addresses by their red/green choice and marks every field and "R/G"
    // button whose value differs from `file`.
    void showValues(const hq::FirmwareSettings& shown, const hq::FirmwareSettings& file, bool accessory);
    // The address help of `row`: shown in its address field's tooltip below the range hint, and as an
    // amber mark beside the row while it has warnings (their texts in the mark's tooltip).
    void showRowHelp(int row, const QString& help, const QStringList& warnings);
    // The help line under the rows, for the row that has the focus.
    void showHelpLine(const QString& text);
    QLabel* helpLine() const { return helpLine_; }
    QLabel* warningMark(int row) const { return rows_.at(row).warning; }
    // The row whose address, function or "R/G" holds `widget`, or -1.
    int rowOf(const QWidget* widget) const;

    FlagsBox* flags() const { return flags_; }
    QLabel* captionLabel(int row) const { return rows_.at(row).caption; }
    QLineEdit* addressEdit(int row) const { return rows_.at(row).address; }
    QLineEdit* functionEdit(int row) const { return rows_.at(row).function; }
    QPushButton* redGreenButton(int row) const { return rows_.at(row).redGreen; }

signals:
    // The "R/G" button of `row` was clicked.
    void redGreenClicked(int row);
    // The text of the address or function field of `row` changed other than by the grid showing it.
    void addressEdited(int row, const QString& text);
    void functionEdited(int row, const QString& text);
    // The user left a field: what was typed into it is one finished entry.
    void entryFinished();

private:
    struct Row {
        QLabel* caption = nullptr;
        QLineEdit* address = nullptr;
        QLineEdit* function = nullptr;
        QPushButton* redGreen = nullptr;
        QLabel* warning = nullptr;
        QString rangeHint; // the address hint before any help
    };

    void createRow(int row);
    void placeRow(int row, int rowsPerColumn);
    void setRowVisible(int row, bool visible, bool accessory);

    std::array<Row, hq::kRowCount> rows_;
    bool showing_ = false; // the grid sets texts itself: no edit
    QFrame* line_;
    FlagsBox* flags_;
    std::array<QLabel*, 4> headings_{}; // address and switch headings of both columns
    QLabel* helpLine_;
};
