// anlage.json read, written and updated safely, and the layout as JSON: a clash's "key" put into
// anlage.json marks it intended.

#include "LayoutJson.h"
#include "TestSupport.h"
#include "demo/DemoFirmware.h"
#include "layout/SeriesCopy.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace hq {
namespace {

using Json = nlohmann::json;

const ClashKey kKey{ClashKind::SameCommand,
                    Protocol::DCC,
                    AddressSpace::Accessory,
                    17,
                    1,
                    {{"signal.hex", 1}, {"weiche.hex", 3}}};

std::string shiftedDemo(int kind, Protocol protocol, int shift) {
    auto text = shiftedCopyText(test::demoFirmware(kind, protocol), shift);
    return text ? *text : std::string{};
}

TEST(LayoutNotesJson, RoundTripsAndKeepsWhatItDoesNotKnow) {
    LayoutNotes notes;
    notes.decoders["bahnhof/weiche.hex"] = {"Bahnhof Süd", "Weichen 1–4"};
    notes.decoders["leer.hex"] = {};
    notes.setIntended(kKey, true);
    notes.setIntended({ClashKind::OutOfRange, Protocol::MM, AddressSpace::Vehicle, 300, 2, {{"f.hex", 1}}},
                      true);
    const std::string previous = R"({"version": 2, "decoders": {"bahnhof/weiche.hex": {"farbe": "blau",
                                     "name": "alt"}}, "intended": []})";
    const std::string text = layoutNotesJsonText(notes, previous);
    const Json json = Json::parse(text);
    EXPECT_EQ(json["version"], 2);
    EXPECT_EQ(json["decoders"]["bahnhof/weiche.hex"],
              (Json{{"farbe", "blau"}, {"name", "Bahnhof Süd"}, {"note", "Weichen 1–4"}}));
    EXPECT_FALSE(json["decoders"].contains("leer.hex")) << "nothing to keep";
    EXPECT_EQ(json["intended"][0], Json::parse(R"({"kind": "same", "protocol": "DCC", "space": "accessory",
        "address": 17, "color": "green", "rows": [{"file": "signal.hex", "row": 1}, {"file": "weiche.hex", "row": 3}]})"));
    EXPECT_EQ(json["intended"][1]["function"], 2);

    auto back = layoutNotesFromJsonText(text);
    ASSERT_TRUE(back.ok()) << back.message();
    notes.decoders.erase("leer.hex");
    EXPECT_EQ(*back, notes);
}

TEST(LayoutNotesJson, RefusesWhatIsNoNotesFileNamingTheEntry) {
    const std::pair<const char*, const char*> cases[] = {
        {"{", "anlage.json: kein gültiges JSON"},
        {"[]", "anlage.json: Der Inhalt muss ein JSON-Objekt sein."},
        {R"({"decoders": {"a.hex": {"name": 5}}})",
         R"(anlage.json: "decoders", "a.hex": "name" muss ein Text sein.)"},
        {R"({"decoders": {"a.hex": {}, "a.hex": {}}})",
         R"(Der Schlüssel "a.hex" steht zweimal im selben Objekt.)"},
        {R"({"intended": [{"kind": "same", "protocol": "SX"}]})",
         R"(anlage.json: "intended", Eintrag 1: "protocol" ist "MM" oder "DCC".)"},
        {R"({"intended": [{"kind": "same", "protocol": "MM", "space": "accessory", "address": 5, "color": "blue"}]})",
         R"(anlage.json: "intended", Eintrag 1: "color" ist "green" oder "red".)"},
        {R"({"intended": [{"kind": "same", "protocol": "MM", "space": "vehicle", "address": 5, "function": 1,
             "rows": []}]})",
         R"("rows" muss eine Liste von {"file", "row"} sein.)"},
    };
    for (const auto& [text, message] : cases) {
        auto notes = layoutNotesFromJsonText(text);
        ASSERT_FALSE(notes.ok()) << text;
        EXPECT_NE(notes.message().find(message), std::string::npos) << notes.message();
        EXPECT_EQ(notes.message().find("Einstellungen"), std::string::npos) << notes.message();
    }
}

TEST(LayoutNotesFile, UpdatesKeepEachOtherAndABrokenFileIsNeverOverwritten) {
    test::ScratchFolder folder;
    auto missing = readLayoutNotes(folder.path());
    ASSERT_TRUE(missing.ok());
    EXPECT_EQ(*missing, LayoutNotes{});

    ASSERT_TRUE(
        updateLayoutNotes(folder.path(), [](LayoutNotes& notes) { notes.decoders["a.hex"].name = "A"; }));
    ASSERT_TRUE(updateLayoutNotes(folder.path(), [](LayoutNotes& notes) { notes.setIntended(kKey, true); }));
    auto both = readLayoutNotes(folder.path());
    ASSERT_TRUE(both.ok());
    EXPECT_EQ(both->decoders.at("a.hex").name, "A");
    EXPECT_TRUE(both->isIntended(kKey));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"anlage.json"}) << "no temporary file left";

    test::writeBytes(folder / "anlage.json", "{ kaputt");
    Status refused =
        updateLayoutNotes(folder.path(), [](LayoutNotes& notes) { notes.decoders["b.hex"].name = "B"; });
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.message().find("wird nicht überschrieben"), std::string::npos) << refused.message();
    EXPECT_EQ(test::readBytes(folder / "anlage.json"), "{ kaputt");
}

TEST(LayoutNotesFile, AScanWithABrokenNotesFileListsItAndGoesOn) {
    test::ScratchFolder folder;
    test::writeBytes(folder / "weiche.hex", shiftedDemo(32, Protocol::DCC, 0));
    test::writeBytes(folder / "anlage.json", R"({"decoders": []})");
    auto scan = scanLayoutFolder(folder.path());
    ASSERT_TRUE(scan.ok());
    EXPECT_EQ(scan->decoders.size(), 1u);
    ASSERT_EQ(scan->problems.size(), 1u);
    EXPECT_EQ(scan->problems[0].file, "anlage.json");
    EXPECT_NE(scan->problems[0].reason.find("Namen, Notizen und gewollte Doppelbelegungen fehlen"),
              std::string::npos);

    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::filesystem::remove(folder / "anlage.json");
    std::filesystem::rename(folder / "fifo", folder / "anlage.json");
    auto fifo = readLayoutNotes(folder.path());
    EXPECT_FALSE(fifo.ok()) << "a pipe is refused at once";
}

TEST(LayoutJson, TheKeyOfAClashMarksItIntendedInAnlageJson) {
    test::ScratchFolder folder;
    test::writeBytes(folder / "weiche.hex", shiftedDemo(32, Protocol::DCC, 0));
    test::writeBytes(folder / "signal.hex", shiftedDemo(28, Protocol::DCC, 0));
    auto scan = scanLayoutFolder(folder.path());
    ASSERT_TRUE(scan.ok());
    const Json json = Json::parse(layoutJsonText(*scan, folder.path()));
    EXPECT_EQ(json["summary"], Json::parse(R"({"decoders": 2, "addresses": 5, "clashes": 1, "open_clashes": 1,
                                               "problems": 0})"));
    ASSERT_EQ(json["clashes"].size(), 1u);
    const Json& clash = json["clashes"][0];
    EXPECT_EQ(clash["intended"], false);
    EXPECT_EQ(clash["parties"][0], Json::parse(R"({"file": "signal.hex", "row": 1, "caption": "Weiche"})"));
    EXPECT_EQ(json["decoders"][1]["rows"][0]["headline"], "DCC-Zubehöradresse 5, grün");
    EXPECT_EQ(json["addresses"][0]["clashes"][0], "mit weiche.hex Zeile 1 (Weiche 1)");
    EXPECT_EQ(json["free"][0], Json::parse(R"({"protocol": "MM", "size": 1, "first": 1, "last": 1})"));

    test::writeBytes(folder / "anlage.json", Json{{"intended", Json::array({clash["key"]})}}.dump());
    auto again = scanLayoutFolder(folder.path());
    ASSERT_TRUE(again.ok());
    ASSERT_EQ(again->clashes.size(), 1u);
    EXPECT_TRUE(again->clashes[0].intended);
    EXPECT_EQ(again->openClashCount(), 0);
}

} // namespace
} // namespace hq
