// Every firmware the program recognises: the line that identifies it, its captions, the grid
// layout, the extra value and the special editor.

#include "image/Recognition.h"

#include <initializer_list>
#include <vector>

namespace hq {

namespace {

using Captions = std::array<std::string, kRowCount>;

// Captions for rows first, first+1, ... in order.
Captions rows(int first, std::initializer_list<const char*> texts) {
    Captions captions;
    int row = first;
    for (const char* text : texts)
        captions[row++] = text;
    return captions;
}

// "<prefix> 1" .. "<prefix> <count>" (or without the blank) on rows first..first+count-1.
Captions numbered(int first, const std::string& prefix, int count, int width = 1) {
    Captions captions;
    for (int i = 1; i <= count; ++i) {
        std::string number = std::to_string(i);
        if (static_cast<int>(number.size()) < width)
            number.insert(0, static_cast<std::size_t>(width) - number.size(), '0');
        captions[first + i - 1] = prefix + number;
    }
    return captions;
}

Captions turntable(int positions) {
    Captions captions = numbered(8, "Position", positions);
    captions[4] = "Licht";
    captions[5] = "Step";
    captions[6] = "Turn (180°)";
    captions[7] = "Drehrichtung";
    return captions;
}

constexpr ExtraValueInfo kTimeOut{"Time Out (1..127)", "x 0.5 sec", 127};
constexpr ExtraValueInfo kAbschaltzeit{"Abschaltzeit Mode3 (1..255)", "x 0.5 sec", 255};
constexpr ExtraValueInfo kAblauf{"Ablaufgeschwindigkeit (1..255)", "1 = schnell\n255 = langsam", 255};

KindInfo kind(int number, std::string_view line, std::string_view caption, Captions captions,
              int rowsPerColumn = 15, std::optional<ExtraValueInfo> extra = std::nullopt,
              Panel panel = Panel::None) {
    KindInfo info;
    info.kind = number;
    info.matchingLine = line;
    info.statusCaption = caption;
    info.rowCaptions = std::move(captions);
    info.rowsPerColumn = rowsPerColumn;
    info.extra = extra;
    info.panel = panel;
    return info;
}

std::vector<KindInfo> makeTable() {
    std::vector<KindInfo> t;
    t.push_back(
        kind(19, ":100110009B001C141A088312B3008B1733082F3C62", "Drehscheibe 48 Position", turntable(24)));
    t.push_back(
        kind(20, ":100110009B001C141A088312B3008B173308173C7A", "Drehscheibe 24 Position", turntable(12), 7));
    t[0].turntableLine = true;
    t[1].turntableLine = true;
    Captions relay = numbered(1, "Out ", 8);
    relay[9] = "All";
    t.push_back(kind(31, ":0400000069303A2801", "Relaisdekoder 8", relay, 15,
                     ExtraValueInfo{"Verzögerungszeit (1..255)", "x 0.5 sec", 255}));
    t.push_back(kind(32, ":0400000065303A2805", "Zumbar88", numbered(1, "Weiche ", 4), 15, kTimeOut));
    t.push_back(kind(21, ":0400000008303A2862", "Pelvar", rows(1, {"Weiche", "Licht"}), 15, kTimeOut));
    t.push_back(kind(22, ":0400000009303A2861", "Pelvar Brumo", rows(1, {"Blinken", "Signal"})));
    t.push_back(kind(23, ":040000000A303A2860", "Dorvat", rows(1, {"Weiche 1", "Weiche 2"}), 15, kTimeOut));
    t.push_back(kind(24, ":0400000004303A2866", "Dorvat - 3Wege", rows(1, {"Links", "Mitte", "Rechts"})));
    t.push_back(kind(25, ":0400000003303A2867", "Dorvat - Signal",
                     rows(1, {"Signal 1 grün", "Signal 1 rot", "Signal 2 grün", "Signal 2 rot"})));
    t.push_back(kind(26, ":0400000005303A2865", "Dorvat - Signal 4", numbered(1, "Out ", 4)));
    t.push_back(
        kind(27, ":040000000B303A285F", "Dorvat - Schalten", numbered(1, "Out ", 4), 15, kAbschaltzeit));
    t.push_back(kind(28, ":0400000002303A2868", "Dorvat - Spur 1", rows(1, {"Weiche"}), 15, kTimeOut));
    t.push_back(
        kind(10, ":0400000067303A2803", "LED-Dekoder - Ampel", rows(1, {"Auto", "Nacht", "Grün", "Rot"})));
    t.push_back(kind(11, ":0400000068303A2802", "LED-Dekoder - Andreaskreus / Schranke", rows(1, {"Ein"})));
    t.push_back(kind(12, ":040000006E303A28FC", "LED-Dekoder - Blink",
                     rows(1, {"Blink 1", "Blink 2", "Blink 3", "Lauf", "Leit", "Warn", "Foto", "aus"})));
    t.push_back(kind(13, ":0400000072303A28F8", "LED-Dekoder - Feuer", rows(1, {"Ein"})));
    t.push_back(kind(14, ":0400000066303A2804", "LED-Dekoder - Gas", rows(1, {"Ein"})));
    t.push_back(
        kind(15, ":0400000071303A28F9", "LED-Dekoder - Haus", rows(1, {"Ein"}), 15, kAblauf, Panel::House));
    t.push_back(kind(16, ":040000006F303A28FB", "LED-Dekoder - Kirmes",
                     rows(1, {"Blink 1", "Blink 2", "Blink 3", "aus"}), 15, kAblauf));
    t.push_back(kind(17, ":0400000070303A28FA", "LED-Dekoder - Neon", rows(1, {"Ein"})));
    t.push_back(kind(18, ":040000006A303A2800", "LED-Dekoder - Schalten", numbered(1, "Out ", 10), 15,
                     kAbschaltzeit));
    t.push_back(kind(7, ":040000006B303A28FF", "LED-Dekoder - Signal 5x2", numbered(1, "Signal ", 5)));
    t.push_back(kind(8, ":040000006C303A28FE", "LED-Dekoder - Signal 4",
                     rows(1, {"HP00", "HP1", "HP2", "SH1", "VR0", "VR1", "VR2"}), 4));
    t.push_back(kind(9, ":040000006D303A28FD", "LED-Dekoder - Signal SBB",
                     rows(1, {"HALT", "FB1", "FB2", "FB3", "Warn", "FB1", "FB2", "FB3"}), 5));
    t.push_back(
        kind(29, ":0400000006303A2864", "Dorvat - Signal HL",
             rows(1, {"VS Vmax", "VS Halt", "VS 100", "VS 40/60", "HS Vmax", "HS Halt", "HS 100/40/60"}), 4));
    t.push_back(kind(30, ":0400000007303A2863", "Dorvat - Signal StraBa", rows(1, {"Signal", "Kennlicht"})));
    t.push_back(kind(4, ":0400000060283D3007", "Dorvat - Funktionsdekoder Schalten", numbered(1, "Out ", 4)));
    t.push_back(kind(44, ":040000006028403004", "Dorvat - Funktionsdekoder Neon ab 0.37",
                     rows(1, {"Ein", "Hell-Dunkel"}), 15, std::nullopt, Panel::Neon));
    t.push_back(kind(5, ":0400000060283C3008", "Dorvat - Funktionsdekoder Weiche",
                     rows(1, {"Weiche 1", "Weiche 2"})));
    t.push_back(
        kind(2, ":0400000060283F3005", "Dorvat - Funktionsdekoder Blinken", numbered(1, "Blink ", 4)));
    t.push_back(
        kind(6, ":0400000060283E3006", "LED-Dekoder - Funktionsdekoder Schalten", numbered(1, "Out ", 10)));
    t.push_back(kind(37, ":04000000C9303A28A1", "LED-Dekoder - Signal 001",
                     rows(1, {"Hp0", "Hp1", "Hp2", "Hp0+Zs", "Hp1+Zs3", "Hp2+Zs3", "Vr0", "Vr1", "Vr2"}), 7));
    t.push_back(kind(38, ":04000000CA303A28A0", "LED-Dekoder - Signal 002",
                     rows(1, {"Hp00", "Hp1", "Hp2", "Hp0+Sh1", "Hp0+Zs", "Hp0+Zs", "Vr0", "Vr1", "Vr2"}), 6));
    t.push_back(kind(39, ":04000000CB303A289F", "LED-Dekoder - Signal 003",
                     rows(1, {"Halt", "Frei", "Frei 40", "Frei 60", "Frei 40/60", "Verschub", "Ersatz",
                              "Halt", "Frei", "Frei 40", "Frei 60", "Frei 40/60", "Verschub", "Ersatz"}),
                     7));
    t.push_back(kind(40, ":04000000CC303A289E", "LED-Dekoder - Signal 004",
                     rows(1, {"Hp00", "Hp1", "Hp2", "Hp0+Sh1", "Hp00", "Hp1", "Hp2", "Hp0+Sh1"}), 4));
    t.push_back(kind(41, ":04000000CD303A289D", "LED-Dekoder - Signal 005",
                     rows(1, {"HS Halt", "HS Vmax", "HS 40", "HS 60", "HS 100", "HS Zs1", "HS Ra12",
                              "VS Halt", "VS Vmax", "VS 40", "VS 60", "VS 100", "VS Zs1", "VS Ra12"}),
                     7));
    t.push_back(kind(42, ":04000000D3303A2897", "Ortel-4 Servo-Dekoder", numbered(1, "Adresse ", 8, 2), 4,
                     std::nullopt, Panel::Servo));
    t.push_back(kind(43, ":0400000001303A2869", "Dorvat - Blinkmuster", numbered(1, "Muster ", 4), 2,
                     std::nullopt, Panel::Blink));
    t.push_back(kind(45, ":04000000DD303A288D", "LED - Blinkmuster", numbered(1, "Muster ", 4), 2,
                     std::nullopt, Panel::Led));
    return t;
}

} // namespace

std::span<const KindInfo> kindsTable() {
    static const std::vector<KindInfo> table = makeTable();
    return table;
}

const KindInfo* findKind(int number) {
    for (const KindInfo& info : kindsTable()) {
        if (info.kind == number)
            return &info;
    }
    return nullptr;
}

std::span<const ProtocolSignature> protocolSignatures() {
    static constexpr ProtocolSignature signatures[] = {
        {":100010008B1C32288B1031181428B11C3228643004", Protocol::MM, DecoderType::Schalt},
        {":1000100005191028831601178312B23081002B288E", Protocol::DCC, DecoderType::Schalt},
        {":100010008B1C2E288B102D181328AD1C2E28643015", Protocol::MM, DecoderType::Schalt},
        {":1000100005191028831601178312B23081002B288E", Protocol::DCC, DecoderType::Schalt},
        {":100010008B1C36288B1031181328B11C36286430FD", Protocol::MM, DecoderType::Fahrzeug},
        {":1000100005191028831601178312B2308100542865", Protocol::DCC, DecoderType::Fahrzeug},
    };
    return signatures;
}

} // namespace hq
