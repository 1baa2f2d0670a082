#pragma once
// The grid's rows and the extra value as the document holds them, and the only way the views change
// them. Values, not keystrokes: "05" typed over 5 is no change, no mark and no undo step. What is
// typed into one field until the field is left is one undo step.

#include "settings/FirmwareSettings.h"

#include <QString>

#include <optional>
#include <vector>

class FirmwareDocument;

class GridEdits {
public:
    explicit GridEdits(FirmwareDocument& document) : document_(document) {}

    // Row 0..31 as edited and as in the file.
    const hq::RowSetting& row(int row) const;
    const hq::RowSetting& fileRow(int row) const;
    const hq::FieldValue& extra() const;
    const hq::FieldValue& fileExtra() const;

    void setAddress(int row, const hq::FieldValue& value);
    void setFunction(int row, const hq::FieldValue& value);
    void toggleRedGreen(int row);
    void setExtra(const hq::FieldValue& value);
    // `rows` get the addresses first + 1, first + 2, … as one step named `text`.
    void setConsecutiveAddresses(const QString& text, const std::vector<int>& rows, int first);
    // "Adressen ab hier fortlaufend": the shown rows after `from` (the first shown row when `from`
    // is none) get the addresses following its own, as one step. Returns why nothing changed (the
    // German message), or nothing.
    std::optional<QString> setConsecutiveAddressesFrom(int from);

    // The field being typed into was left: the next value typed is a step of its own.
    void finishEntry();

private:
    QString caption(int row) const;

    FirmwareDocument& document_;
};
