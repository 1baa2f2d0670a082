// hexquendra-cli layout and series run as programs on layout folders: the text, JSON and CSV, the
// exit codes a commit hook relies on, the file safety of every file the series writes, and the
// README's pre-commit recipe run in a scratch git repository.

#include "TestSupport.h"
#include "demo/DemoFirmware.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>

namespace hq {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::cli;
using test::ProgramRun;

class LayoutProgram : public testing::Test {
protected:
    void SetUp() override {
        layout = folder / "anlage";
        fs::create_directory(layout);
        weiche = folder / "weiche.hex";
        test::writeBytes(weiche, demoFirmwareText(32, Protocol::DCC)); // 5–8, row 3 red
        signal = folder / "signal.hex";
        test::writeBytes(signal, demoFirmwareText(28, Protocol::DCC)); // one row on 5, green
    }
    ProgramRun series(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), "series");
        return cli(arguments);
    }
    ProgramRun layoutRun(const std::vector<std::string>& options = {}) const {
        std::vector<std::string> arguments{"layout", layout.string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return cli(arguments);
    }
    // A decoder on the layout whose one row reacts to `address` in green.
    void putSignal(const std::string& name, int address) const {
        test::writeBytes(folder / "s.json", R"({"outputs": [{"row": 1, "address": )" +
                                                std::to_string(address) + R"(, "color": "green"}]})");
        ProgramRun run =
            cli({"apply", signal.string(), (folder / "s.json").string(), "-o", (layout / name).string()});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    std::vector<std::string> layoutNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(layout))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::ScratchFolder folder;
    fs::path layout;
    fs::path weiche;
    fs::path signal;
};

TEST_F(LayoutProgram, ASeriesMakesACleanLayoutThatChecksOut) {
    ProgramRun made = series({weiche.string(), "--count", "3", "--first", "1", "-o", layout.string()});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.out, "Serie aus weiche.hex in " + layout.string() +
                            ": 3 Dateien, Abstand 4\n\n"
                            "Datei          Adressen\n"
                            "weiche-01.hex  1–4\n"
                            "weiche-02.hex  5–8\n"
                            "weiche-03.hex  9–12\n\n"
                            "3 Dateien geschrieben.\n");
    EXPECT_EQ(layoutNames(), (std::vector<std::string>{"weiche-01.hex", "weiche-02.hex", "weiche-03.hex"}));
    for (const std::string& name : layoutNames())
        EXPECT_EQ(cli({"check", (layout / name).string()}).exitCode, 0) << name;

    ProgramRun text = layoutRun();
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_TRUE(text.err.empty()) << text.err;
    EXPECT_NE(text.out.find("Dekoder:           3 (12 Adressen)\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("DCC Zubehör       11  rot           weiche-03.hex      3  Weiche 3"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Doppelbelegungen:\n  keine\n"), std::string::npos);
    EXPECT_NE(text.out.find("  DCC:  einzeln: 13;  4 am Stück: 13–16;  8 am Stück: 13–20\n"),
              std::string::npos);
}

TEST_F(LayoutProgram, AClashFailsTheCheckUntilItsKeyIsMarkedIntended) {
    ASSERT_EQ(series({weiche.string(), "--count", "2", "--first", "1", "-o", layout.string()}).exitCode, 0);
    putSignal("signal.hex", 2);

    ProgramRun text = layoutRun();
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_EQ(text.err, "1 Doppelbelegung ist nicht als gewollt markiert.\n");
    EXPECT_NE(
        text.out.find("Doppelbelegungen:\n  DCC-Zubehöradresse 2, grün: signal.hex Zeile 1 (Weiche) und "
                      "weiche-01.hex Zeile 2 (Weiche 2)\n"),
        std::string::npos)
        << text.out;

    ProgramRun asJson = layoutRun({"--json"});
    EXPECT_EQ(asJson.exitCode, 1);
    const json parsed = json::parse(asJson.out);
    ASSERT_EQ(parsed["clashes"].size(), 1u);
    test::writeBytes(layout / "anlage.json",
                     json{{"intended", json::array({parsed["clashes"][0]["key"]})}}.dump(4));

    ProgramRun marked = layoutRun();
    EXPECT_EQ(marked.exitCode, 0) << marked.err;
    EXPECT_NE(marked.out.find("  gewollt: DCC-Zubehöradresse 2, grün:"), std::string::npos) << marked.out;
    EXPECT_NE(marked.out.find("Doppelbelegung (gewollt)"), std::string::npos);
}

TEST_F(LayoutProgram, CsvIsUtf8WithSemicolonsForASpreadsheet) {
    ASSERT_EQ(series({weiche.string(), "--count", "1", "--first", "1", "-o", layout.string()}).exitCode, 0);
    test::writeBytes(
        layout / "anlage.json",
        R"({"decoders": {"weiche-01.hex": {"name": "Bahnhof Süd", "note": "Ein- und Ausfahrt; Gleis 1"}}})");
    ProgramRun csv = layoutRun({"--csv"});
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_TRUE(csv.out.starts_with("\xEF\xBB\xBFProtokoll;Adressart;Adresse;Reagiert auf;"));
    EXPECT_NE(csv.out.find("\r\nDCC;Zubeh\xC3\xB6r;1;gr\xC3\xBCn;;weiche-01.hex;Bahnhof S\xC3\xBC"
                           "d;\"Ein- und Ausfahrt; Gleis 1\";1;Weiche 1;Zumbar88;32;V 0.41;20;;\r\n"),
              std::string::npos)
        << csv.out;
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 5) << "a header and four rows";

    ProgramRun asJson = layoutRun({"--json"});
    EXPECT_EQ(json::parse(asJson.out)["decoders"][0]["name"], "Bahnhof Süd");
}

TEST_F(LayoutProgram, ExitCodesForBrokenFilesMissingFoldersAndWrongCalls) {
    ASSERT_EQ(series({weiche.string(), "--count", "1", "-o", layout.string()}).exitCode, 0);
    test::writeBytes(layout / "kaputt.hex", "keine HEX-Datei\n");
    ProgramRun broken = layoutRun();
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.err, "1 Datei wurde übersprungen und nicht geprüft.\n");
    EXPECT_NE(broken.out.find("Übersprungen:\n  kaputt.hex: Das HEX-File konnte leider nicht erkannt werden"),
              std::string::npos)
        << broken.out;
    EXPECT_NE(broken.out.find("weiche-01.hex"), std::string::npos) << "the rest is still shown";

    ProgramRun missing = cli({"layout", (folder / "fehlt").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("wurde nicht gefunden"), std::string::npos);
    EXPECT_EQ(cli({"layout", weiche.string()}).exitCode, 2);
    EXPECT_EQ(cli({"layout", layout.string(), "--json", "--csv"}).exitCode, 2);
    EXPECT_EQ(cli({"layout"}).exitCode, 2);
    EXPECT_EQ(cli({"series", weiche.string(), "-o", layout.string()}).exitCode, 2) << "no --count";
    EXPECT_EQ(cli({"series", weiche.string(), "--count", "zwei", "-o", layout.string()}).exitCode, 2);
    EXPECT_EQ(cli({"series", weiche.string(), "--count", "2"}).exitCode, 2) << "no -o";
    EXPECT_EQ(
        cli({"series", (folder / "fehlt.hex").string(), "--count", "2", "-o", layout.string()}).exitCode, 2);
    ProgramRun zero = cli({"series", weiche.string(), "--count", "0", "-o", layout.string()});
    EXPECT_EQ(zero.exitCode, 1);
    EXPECT_EQ(zero.err, "Die Anzahl muss zwischen 1 und 999 liegen.\n");
    ProgramRun unrecognised =
        cli({"series", (layout / "kaputt.hex").string(), "--count", "2", "-o", layout.string()});
    EXPECT_EQ(unrecognised.exitCode, 1) << unrecognised.err;
}

TEST_F(LayoutProgram, ASeriesIsRefusedAsAWholeWithEveryReason) {
    putSignal("signal.hex", 6);
    test::writeBytes(layout / "weiche-02.hex", "alt\n");
    ProgramRun refused = series({weiche.string(), "--count", "3", "--first", "1", "-o", layout.string()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err,
              "Hinweis: Nicht geprüft: weiche-02.hex (Das HEX-File konnte leider nicht erkannt "
              "werden: Die Datei enthält keine Intel-HEX-Datensätze.)\n"
              "Die Serie wird nicht geschrieben:\n"
              "  weiche-02.hex gibt es schon.\n"
              "  DCC-Zubehöradresse 6, grün: signal.hex Zeile 1 (Weiche) und weiche-02.hex Zeile 2 "
              "(Weiche 2)\n"
              "--force ersetzt vorhandene Dateien.\n");
    EXPECT_EQ(layoutNames(), (std::vector<std::string>{"signal.hex", "weiche-02.hex"}));
    EXPECT_EQ(test::readBytes(layout / "weiche-02.hex"), "alt\n");

    ProgramRun range =
        series({weiche.string(), "--count", "2", "--first", "317", "-o", (folder / "mm").string()});
    EXPECT_EQ(range.exitCode, 0) << "DCC goes beyond 320: " << range.err;
    ProgramRun beyond =
        series({weiche.string(), "--count", "1", "--first", "2042", "-o", (folder / "hoch").string()});
    EXPECT_EQ(beyond.exitCode, 1);
    EXPECT_NE(beyond.err.find("weiche-01.hex: Adresse 2045 (Zeile 4, Weiche 4) liegt außerhalb des gültigen "
                              "Bereichs 1 bis 2044."),
              std::string::npos)
        << beyond.err;
    EXPECT_FALSE(fs::exists(folder / "hoch")) << "not even the folder is made";
}

TEST_F(LayoutProgram, EveryFileTheSeriesWritesFollowsTheRulesOfApply) {
    // A link among the targets stays a link and its target is replaced; new files get the
    // template's permission bits; a pipe in the way refuses the series without waiting for it.
    fs::create_directory(folder / "echt");
    test::writeBytes(folder / "echt/ziel.hex", "alt\n");
    fs::create_symlink("../echt/ziel.hex", layout / "w-01.hex");
    fs::permissions(weiche, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ProgramRun forced =
        series({weiche.string(), "--count", "2", "--name", "w", "--force", "-o", layout.string()});
    ASSERT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_NE(forced.out.find("w-01.hex  5–8       ersetzt\n"), std::string::npos) << forced.out;
    EXPECT_TRUE(fs::is_symlink(layout / "w-01.hex"));
    EXPECT_EQ(cli({"check", (folder / "echt/ziel.hex").string()}).exitCode, 0);
    EXPECT_EQ(fs::status(layout / "w-02.hex").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_EQ(::mkfifo((layout / "p-01.hex").c_str(), 0600), 0);
    ProgramRun pipe = cli({"series", weiche.string(), "--count", "1", "--first", "100", "--name", "p",
                           "--force", "-o", layout.string()},
                          test::withTimeout(std::chrono::seconds(20)));
    EXPECT_FALSE(pipe.timedOut);
    EXPECT_EQ(pipe.exitCode, 1);
    EXPECT_NE(pipe.err.find("p-01.hex ist keine gewöhnliche Datei und wird nicht ersetzt."),
              std::string::npos)
        << pipe.err;
    EXPECT_EQ(fs::symlink_status(layout / "p-01.hex").type(), fs::file_type::fifo);

    const std::string name = "gr\xfcn"; // not UTF-8
    ProgramRun latin1 =
        series({weiche.string(), "--count", "1", "--first", "200", "--name", name, "-o", layout.string()});
    ASSERT_EQ(latin1.exitCode, 0) << latin1.err;
    EXPECT_TRUE(fs::is_regular_file(layout / (name + "-01.hex")));
    for (const auto& entry : fs::directory_iterator(layout))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << "no temporary left";
}

// The recipe between the README's pre-commit markers.
std::string preCommitRecipe() {
    std::ifstream in(HQ_README);
    const std::string readme{std::istreambuf_iterator<char>(in), {}};
    const std::size_t begin = readme.find("<!-- pre-commit:begin -->");
    const std::size_t end = readme.find("<!-- pre-commit:end -->");
    if (begin == std::string::npos || end == std::string::npos)
        return {};
    const std::size_t code = readme.find("```sh\n", begin) + 6;
    return readme.substr(code, readme.rfind("```", end) - code);
}

TEST_F(LayoutProgram, TheReadmesPreCommitRecipeRefusesACommitWithAClash) {
    const std::string recipe = preCommitRecipe();
    ASSERT_TRUE(recipe.starts_with("#!/bin/sh\n")) << recipe;
    const fs::path repository = layout;
    // git with the built program on the PATH and no configuration but the repository's.
    auto git = [&](const std::string& command) {
        return test::runProgram(
            "/bin/sh", {"-c",
                        "cd \"$1\" && export PATH=\"$2:$PATH\" HOME=\"$1\" GIT_CONFIG_NOSYSTEM=1 "
                        "GIT_AUTHOR_NAME=Test GIT_AUTHOR_EMAIL=test@example.org GIT_COMMITTER_NAME=Test "
                        "GIT_COMMITTER_EMAIL=test@example.org && " +
                            command,
                        "git-test", repository.string(), fs::path(HQ_CLI_PATH).parent_path().string()});
    };
    ASSERT_EQ(git(HQ_GIT " init -q").exitCode, 0);
    test::writeBytes(repository / ".git/hooks/pre-commit", recipe);
    fs::permissions(repository / ".git/hooks/pre-commit", fs::perms::owner_all);

    ASSERT_EQ(series({weiche.string(), "--count", "2", "--first", "1", "-o", layout.string()}).exitCode, 0);
    ProgramRun clean = git(HQ_GIT " add -A && " HQ_GIT " commit -qm Weichen");
    EXPECT_EQ(clean.exitCode, 0) << clean.err;

    putSignal("signal.hex", 2);
    ProgramRun unstaged = git(HQ_GIT " commit -q --allow-empty -m nichts");
    EXPECT_EQ(unstaged.exitCode, 0) << "the hook checks what is committed, not the folder: " << unstaged.err;

    ProgramRun clash = git(HQ_GIT " add signal.hex && " HQ_GIT " commit -qm Signal");
    EXPECT_NE(clash.exitCode, 0);
    EXPECT_NE(
        clash.err.find("Doppelbelegungen:\n  DCC-Zubehöradresse 2, grün: signal.hex Zeile 1 (Weiche) und "
                       "weiche-01.hex Zeile 2 (Weiche 2)"),
        std::string::npos)
        << clash.err;
    EXPECT_NE(git(HQ_GIT " log --oneline").out.find("Weichen"), std::string::npos);
    EXPECT_EQ(git(HQ_GIT " log --oneline").out.find("Signal"), std::string::npos);

    const json parsed = json::parse(layoutRun({"--json"}).out);
    test::writeBytes(layout / "anlage.json",
                     json{{"intended", json::array({parsed["clashes"][0]["key"]})}}.dump(4));
    ProgramRun intended = git(HQ_GIT " add -A && " HQ_GIT " commit -qm Signal");
    EXPECT_EQ(intended.exitCode, 0) << intended.err;
}

} // namespace
} // namespace hq
