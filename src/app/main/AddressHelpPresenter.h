#pragma once
// The address help of the grid: each shown row's tooltip with its address as a command station
// numbers it and the HEX lines of its bytes, the amber mark of a row with warnings (and of a row whose
// bytes are kept as read from a broken or undecodable line), and the help line of the row the user is
// in. What it reads from the file (the EEPROM lines, the rows kept as read) is worked out once per
// loaded or saved file; the rows' help is worked out again only when the document says rows changed,
// and the help line when the focus moves to another row.

#include "help/EepromLines.h"
#include "help/RowValues.h"
#include "settings/RowsAsRead.h"

#include <QObject>

class DocumentChange;
class FirmwareDocument;
class ParameterGridBox;

class AddressHelpPresenter : public QObject {
    Q_OBJECT
public:
    AddressHelpPresenter(FirmwareDocument& document, ParameterGridBox& grid, QObject* parent = nullptr);

    // How often the help of the rows has been worked out (tests count with it).
    int passes() const { return passes_; }

private:
    void showChange(const DocumentChange& change);
    void showRows();
    void showHelpLine();
    hq::RowTable typedRows() const;

    FirmwareDocument& document_;
    ParameterGridBox& grid_;
    hq::EepromLineMap lines_{};
    hq::RowsAsRead asRead_{};
    int passes_ = 0;
};
