#include "image/Recognition.h"

#include "encode/CodeTables.h"

namespace hq {

namespace {

const std::string& emptyText() {
    static const std::string empty;
    return empty;
}

const std::optional<ExtraValueInfo>& noExtra() {
    static const std::optional<ExtraValueInfo> none;
    return none;
}

} // namespace

const std::string& Recognition::rowCaption(int row) const {
    if (!info || row < 0 || row >= kRowCount)
        return emptyText();
    return info->rowCaptions[row];
}

bool Recognition::hasCaptions() const {
    for (int row = 0; row < kRowCount; ++row) {
        if (!rowCaption(row).empty())
            return true;
    }
    return false;
}

const std::optional<ExtraValueInfo>& Recognition::extra() const {
    return info ? info->extra : noExtra();
}

Recognition recognise(const RememberedLines& lines) {
    Recognition result;
    for (const KindInfo& info : kindsTable()) {
        const std::string& line = info.turntableLine ? lines.line011 : lines.line040;
        if (line == info.matchingLine) {
            result.kind = info.kind;
            result.info = &info;
            break;
        }
    }

    for (const ProtocolSignature& signature : protocolSignatures()) {
        if (lines.line001 == signature.line) {
            result.protocol = signature.protocol;
            result.type = signature.type;
            break;
        }
    }

    switch (result.protocol) {
    case Protocol::MM:
        // MM vehicle codes exist for addresses 1..255 only.
        result.maxAddress = result.type == DecoderType::Fahrzeug ? kMmHighestVehicle : kMmHighestAccessory;
        result.maxFunction = 4;
        result.protocolStatus = "Mot";
        break;
    case Protocol::DCC:
        result.maxAddress = result.type == DecoderType::Fahrzeug ? kDccHighestVehicle : kDccHighestAccessory;
        result.maxFunction = 12;
        result.protocolStatus = "DCC";
        break;
    case Protocol::None:
        result.protocolStatus = "ohne";
        break;
    }
    result.codec = &rowCodecFor(result.protocol, result.type);
    // The 48-position turntable reports DCC while its rows are set up.
    if (result.kind == 19)
        result.protocolStatus = "DCC";
    return result;
}

std::string_view protocolName(Protocol protocol) {
    switch (protocol) {
    case Protocol::MM:
        return "MM";
    case Protocol::DCC:
        return "DCC";
    case Protocol::None:
        break;
    }
    return {};
}

std::string_view typeName(DecoderType type) {
    switch (type) {
    case DecoderType::Schalt:
        return "Schalt";
    case DecoderType::Fahrzeug:
        return "Fahrzeug";
    case DecoderType::None:
        break;
    }
    return {};
}

std::string_view panelName(Panel panel) {
    switch (panel) {
    case Panel::Servo:
        return "servo";
    case Panel::Blink:
        return "blink";
    case Panel::Led:
        return "led";
    case Panel::Neon:
        return "neon";
    case Panel::House:
        return "house";
    case Panel::None:
        break;
    }
    return "none";
}

} // namespace hq
