#pragma once
// The neon levels and delay and the house-light minimum as the document holds them, and the only way
// the views change them. Values are stored within their ranges (levels and delay 0..255, the
// minimum 1..9); what is typed into one field is one undo step until the entry is finished.

#include "light/NeonValues.h"

#include <optional>

class FirmwareDocument;

class LightEdits {
public:
    explicit LightEdits(FirmwareDocument& document) : document_(document) {}

    // The neon function decoder's values as edited and as in the file: nothing for another
    // firmware, or where the file's byte is no hex byte.
    bool hasNeon() const;
    std::optional<int> neonValue(hq::NeonValue which) const;
    std::optional<int> fileNeonValue(hq::NeonValue which) const;
    // Stores `value` within 0..255.
    void setNeonValue(hq::NeonValue which, int value);

    // The house-light minimum as edited and as in the file.
    bool hasHouse() const;
    std::optional<int> houseMinimum() const;
    std::optional<int> fileHouseMinimum() const;
    // Stores `minimum` within 1..9.
    void setHouseMinimum(int minimum);
    // The firmware takes 1..9 only: a stored minimum outside is put right, as a step of its own, so
    // the window shows that saving will change it. Nothing happens to a minimum within 1..9.
    void bringHouseMinimumIntoRange();

    // The field being typed into was left: the next value typed is a step of its own.
    void finishEntry();

private:
    FirmwareDocument& document_;
};
