#pragma once
// GroupBoxMain: the parameter rows (caption, address, function number or "R/G", warning mark) in one
// or two columns with the divider `Line` between them, the help line of the focused row and
// GroupBoxFlags, laid out by Qt layouts from the fonts the desktop has. Row 0 is never shown.
//
// The grid is a view of the document's rows: it shows only the rows a change names, reports what the
// user types or clicks to the document's grid edits, and never sends back what it shows. The address
// help (tooltips, warning marks, the help line) is filled in by its presenter.

#include "NumberField.h"
#include "image/Recognition.h"

#include <QColor>
#include <QGroupBox>

#include <array>

class DocumentChange;
class FirmwareDocument;
class FlagsBox;
class QFrame;
class QGridLayout;
class QLabel;
class QPushButton;

class ParameterGridBox : public QGroupBox {
    Q_OBJECT
public:
    // Address field colours of accessory firmwares: the green and the red address of an output.
    static const QColor kGreen;
    static const QColor kRed;

    ParameterGridBox(FirmwareDocument& document, QWidget* parent = nullptr);

    // The address help of `row`: shown in its address field's tooltip below the range hint, and as an
    // amber mark beside the row while it has warnings (their texts in the mark's tooltip).
    void showRowHelp(int row, const QString& help, const QStringList& warnings);
    // The help line under the rows, for the row that has the focus; it wraps to as many lines as it
    // needs.
    void showHelpLine(const QString& text);
    // The row whose field last had the focus (0 before any), and the first shown row's address
    // focused and selected, ready to type.
    int focusedRow() const { return focusedRow_; }
    void focusFirstRow();

    QLabel* helpLine() const { return helpLine_; }
    FlagsBox* flags() const { return flags_; }
    // The controls of `row`; built when a firmware first needs the row (null before).
    QLabel* captionLabel(int row) const { return rows_.at(row).caption; }
    NumberField* addressEdit(int row) const { return rows_.at(row).address; }
    NumberField* functionEdit(int row) const { return rows_.at(row).function; }
    QPushButton* redGreenButton(int row) const { return rows_.at(row).redGreen; }
    QLabel* warningMark(int row) const { return rows_.at(row).warning; }

    // How many rows the grid has shown values of since it was built: a change that names no row
    // shows none (tests count with it).
    int rowsShown() const { return rowsShown_; }

signals:
    // The focus went to a field or button of another row than before.
    void rowEntered(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Row {
        QLabel* caption = nullptr;
        NumberField* address = nullptr;
        NumberField* function = nullptr;
        QPushButton* redGreen = nullptr;
        QLabel* warning = nullptr;
        QString rangeHint; // the address hint before any help
    };

    void buildHeadings();
    void buildRow(int row);
    void placeRows(int rowsPerColumn);
    // Follows a new firmware: captions, ranges and hints, which rows show, columns and headings.
    void showFirmware();
    void showChange(const DocumentChange& change);
    void showRow(int row);
    void fitHelpLine();

    FirmwareDocument& document_;
    std::array<Row, hq::kRowCount> rows_{};
    QGridLayout* rowsLayout_;
    QFrame* line_;
    std::array<QLabel*, 4> headings_{}; // address and switch headings of both columns
    QLabel* helpLine_;
    FlagsBox* flags_;
    bool accessory_ = false;
    int focusedRow_ = 0;
    int rowsShown_ = 0;
};
