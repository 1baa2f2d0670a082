#pragma once
// The layout: every decoder HEX file of one folder seen side by side. The files are the only truth;
// these values are what a scan read from them now, plus the names, notes and intended clashes the
// user keeps in the folder's anlage.json. The command line (text, JSON, CSV) and the window present
// this one result.

#include "help/RowWarnings.h"
#include "image/Recognition.h"

#include <compare>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hq {

// The file beside the decoders that holds names, notes and the clashes marked as intended.
inline constexpr std::string_view kLayoutNotesFile = "anlage.json";

enum class AddressSpace { Accessory, Vehicle };

// One shown output row of a decoder, as its file holds it.
struct LayoutRow {
    int row = 0;
    std::string caption;
    int address = 0;  // 0: unused, the row reacts to nothing
    int reaction = 0; // accessory rows: 1 green, 0 red; vehicle rows: the function number
    // From the address help: "DCC-Zubehöradresse 19, grün", the numbering ("Dekoder 5, Ausgang 3",
    // "Keyboard 1, Taste 3", the CVs) and the row's warnings.
    std::string headline;
    std::vector<std::string> numbering;
    std::vector<HelpWarning> warnings;
    // Servo, blink and LED firmwares: what the firmware does on this address ("Servo 2, Start,
    // Kurve 1, Relais 1", "Muster 3, Ausgänge 1–4, Loop"); empty for the others.
    std::string use;
};

struct LayoutExtra {
    std::string caption; // "Time Out (1..127)"
    int value = 0;
};

struct LayoutDecoder {
    std::string file; // relative to the layout folder, folders separated by '/'
    std::string name; // from anlage.json
    std::string note; // from anlage.json
    int kind = 0;
    std::string caption;  // the firmware's status caption, "Zumbar88"
    std::string version;  // "V 0.41"; empty without an ID record
    std::string hardware; // the hardware mark
    Protocol protocol = Protocol::None;
    DecoderType type = DecoderType::None;
    std::optional<LayoutExtra> extra;
    std::vector<LayoutRow> rows; // the rows the window shows, ascending
    // One German line each: first the rows' warnings in row order ("Zeile 3 (Out 3): …"), then
    // the file's own (records with a wrong checksum, a firmware without protocol).
    std::vector<std::string> warnings;

    AddressSpace space() const {
        return type == DecoderType::Fahrzeug ? AddressSpace::Vehicle : AddressSpace::Accessory;
    }
};

// One used address of one row: what the address index lists.
struct AddressEntry {
    Protocol protocol = Protocol::MM;
    AddressSpace space = AddressSpace::Accessory;
    int address = 0;
    int reaction = 0;
    int decoder = 0; // index into LayoutScan::decoders
    int row = 0;     // index into that decoder's rows
};

// A row named the way it survives a rescan: the file relative to the layout folder and the row.
struct RowRef {
    std::string file;
    int row = 0;
    friend auto operator<=>(const RowRef&, const RowRef&) = default;
};

enum class ClashKind {
    SameCommand, // rows that react to the same protocol, address space, address and colour or function
    Broadcast,   // a DCC accessory row in decoder 511 (2041..2044), which every decoder obeys
    OutOfRange,  // an address or function beyond what the protocol has
};

// What identifies a clash, stable across rescans: the kind, what is reacted to and the rows
// involved (sorted). anlage.json keeps the intended ones in this form.
struct ClashKey {
    ClashKind kind = ClashKind::SameCommand;
    Protocol protocol = Protocol::MM;
    AddressSpace space = AddressSpace::Accessory;
    int address = 0;
    int reaction = 0;
    std::vector<RowRef> rows;
    friend auto operator<=>(const ClashKey&, const ClashKey&) = default;
};

struct ClashParty {
    int decoder = 0; // index into LayoutScan::decoders
    int row = 0;     // index into that decoder's rows
};

struct Clash {
    ClashKey key;
    std::vector<ClashParty> parties; // in the order of key.rows
    bool intended = false;
    std::string text; // one German line naming what is reacted to and every party
};

// The first run of `size` consecutive free accessory addresses of a protocol; first is 0 when
// there is none.
struct FreeBlock {
    Protocol protocol = Protocol::MM;
    int size = 1;
    int first = 0;
};

// A file (or folder) the scan passed over, and why.
struct LayoutProblem {
    std::string file; // relative to the layout folder
    std::string reason;
};

struct DecoderNote {
    std::string name;
    std::string note;
    friend bool operator==(const DecoderNote&, const DecoderNote&) = default;
};

// What only the user knows, kept in anlage.json.
struct LayoutNotes {
    std::map<std::string, DecoderNote> decoders; // by file
    std::vector<ClashKey> intended;

    bool isIntended(const ClashKey& key) const;
    void setIntended(const ClashKey& key, bool intended);
    friend bool operator==(const LayoutNotes&, const LayoutNotes&) = default;
};

struct LayoutScan {
    std::vector<LayoutDecoder> decoders; // by file
    std::vector<LayoutProblem> problems; // by file
    // Every used address of every decoder, by protocol (MM, DCC), address space (accessory,
    // vehicle), address, colour or function, file and row.
    std::vector<AddressEntry> addresses;
    std::vector<Clash> clashes;        // in the order of the index
    std::vector<FreeBlock> freeBlocks; // MM then DCC, sizes 1, 4, 8
    bool cancelled = false;            // the scan was stopped: what it holds is incomplete

    const LayoutDecoder& decoderOf(const AddressEntry& entry) const {
        return decoders[static_cast<std::size_t>(entry.decoder)];
    }
    const LayoutRow& rowOf(const AddressEntry& entry) const {
        return decoderOf(entry).rows[static_cast<std::size_t>(entry.row)];
    }
    const LayoutDecoder& decoderOf(const ClashParty& party) const {
        return decoders[static_cast<std::size_t>(party.decoder)];
    }
    const LayoutRow& rowOf(const ClashParty& party) const {
        return decoderOf(party).rows[static_cast<std::size_t>(party.row)];
    }
    // Clashes not marked intended.
    int openClashCount() const;
};

// The highest address a protocol has in an address space, as the firmware stores it (MM 320
// accessory and 255 vehicle addresses, DCC 2044 and 16128).
int highestAddress(Protocol protocol, AddressSpace space);

// "grün", "rot" for accessory rows, "Funktion 3" for vehicle rows.
std::string reactionText(AddressSpace space, int reaction);
// "Zubehör", "Fahrzeug".
std::string_view spaceText(AddressSpace space);
// "9" for one address, "9–12" for a run.
std::string addressRunText(int first, int size);
// "1–4, 7, 9–10": numbers (sorted here) with consecutive ones drawn together.
std::string runsText(std::vector<int> numbers);
// "weiche.hex Zeile 3 (Weiche 3)".
std::string partyText(const LayoutDecoder& decoder, const LayoutRow& row);

} // namespace hq
