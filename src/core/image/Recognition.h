#pragma once
// Which firmware a file holds: its kind, protocol, decoder type, row captions and panel.

#include "encode/RowCodec.h"
#include "image/ImageScan.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace hq {

inline constexpr int kRowCount = 32; // grid rows 0..31; row 0 is never used

enum class Protocol { None, MM, DCC };
enum class DecoderType { None, Schalt, Fahrzeug };
enum class Panel { None, Servo, Blink, Led, Neon, House };

struct ExtraValueInfo {
    std::string_view caption;
    std::string_view hint;
    int maximum = 255;
};

struct KindInfo {
    int kind = 0;
    std::string_view matchingLine;
    bool turntableLine = false; // compared with the ":10011" line instead of the reset vector
    std::string_view statusCaption;
    std::array<std::string, kRowCount> rowCaptions;
    int rowsPerColumn = 15;
    std::optional<ExtraValueInfo> extra;
    Panel panel = Panel::None;
};

// Every firmware the program knows, in the order the lines are compared.
std::span<const KindInfo> kindsTable();
const KindInfo* findKind(int kind);

struct ProtocolSignature {
    std::string_view line;
    Protocol protocol;
    DecoderType type;
};
std::span<const ProtocolSignature> protocolSignatures();

struct Recognition {
    int kind = 0;
    const KindInfo* info = nullptr; // null when nothing was recognised
    Protocol protocol = Protocol::None;
    DecoderType type = DecoderType::None;
    int maxAddress = 0;
    int maxFunction = 0;
    std::string protocolStatus = "ohne"; // status panel 2: "Mot", "DCC" or "ohne"
    const RowCodec* codec = nullptr;     // chosen with the protocol and type

    // How the rows' code bytes are read and written; without a protocol they are kept as loaded.
    const RowCodec& rowCodec() const {
        return codec ? *codec : rowCodecFor(Protocol::None, DecoderType::None);
    }

    const std::string& rowCaption(int row) const;
    bool hasCaptions() const;
    // Rows with a caption are shown unless the status reads "ohne".
    bool rowsShown() const { return protocolStatus != "ohne"; }
    const std::optional<ExtraValueInfo>& extra() const;
    Panel panel() const { return info ? info->panel : Panel::None; }
    int rowsPerColumn() const { return info ? info->rowsPerColumn : 15; }
    std::string_view statusCaption() const { return info ? info->statusCaption : std::string_view{}; }
};

Recognition recognise(const RememberedLines& lines);

std::string_view protocolName(Protocol protocol); // "MM", "DCC" or ""
std::string_view typeName(DecoderType type);      // "Schalt", "Fahrzeug" or ""
std::string_view panelName(Panel panel);          // "none", "servo", "blink", "led", "neon", "house"

} // namespace hq
