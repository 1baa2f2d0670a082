// hexquendra-cli run as a program where it used to change or say something untrue: a row-1 edit
// that changes the neon HELL level, a table block holding code, refusals that must leave the file
// byte for byte, settings with bytes after the JSON, and the metadata of the file it replaces
// (ACL, extended attributes, read-only and immutable targets, hard links, a new file's mode, a
// file-size limit, an append-only folder, the flush before the rename).

#include "TestSupport.h"
#include "demo/DemoFirmware.h"
#include "encode/ProgramTable.h"
#include "image/Checksum.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace hq {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::cli;
using test::ProgramRun;
using test::readBytes;

// Whether a helper program (setfacl, setfattr, chattr) ran and succeeded: the file system or the
// container may not allow what it sets.
bool ran(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

std::optional<std::string> attribute(const fs::path& file, const char* name) {
    char value[4096];
    const ssize_t size = ::lgetxattr(file.c_str(), name, value, sizeof value);
    if (size < 0)
        return std::nullopt;
    return std::string(value, static_cast<std::size_t>(size));
}

class TruthfulWrites : public testing::Test {
protected:
    fs::path write(const std::string& name, const std::string& data) const {
        test::writeBytes(folder / name, data);
        return folder / name;
    }
    // Names of temporary files left in the folder.
    std::vector<std::string> temporaries() const {
        std::vector<std::string> found;
        for (const std::string& name : folder.names()) {
            if (name.starts_with(".") && name.find(".tmp") != std::string::npos)
                found.push_back(name);
        }
        return found;
    }
    std::optional<int> shownHell(const fs::path& file) const {
        ProgramRun shown = cli({"show", file.string(), "--json"});
        if (shown.exitCode != 0)
            return std::nullopt;
        return json::parse(shown.out).at("neon").at("hell").get<int>();
    }
    test::ScratchFolder folder;
};

// The case of the report: row 1 of the DCC neon demo to address 3000 writes 0xCB into EEPROM byte
// 0x21, which is HELL 52, whether HELL is given unchanged or left out.
TEST_F(TruthfulWrites, ARowOneEditThatChangesHellIsRefusedUnlessTheNewLevelIsAskedFor) {
    const fs::path source = write("neon.hex", *readBytes(test::example(44, Protocol::DCC)));
    const std::string before = *readBytes(source);
    const std::string row = R"({"row": 1, "address": 3000, "function": 2})";
    const std::string expected =
        "Die Licht-Stufe HELL 255 der Datei bleibt beim Speichern nicht erhalten: EEPROM-Byte 0x21 ist "
        "zugleich das dritte Code-Byte von <Ein> (Zeile 1) und wird beim Speichern mit dessen Adresse und "
        "Funktion geschrieben.\nGespeichert würde HELL = 52.\n"
        "Um HELL = 52 zu speichern, in den Einstellungen \"neon\": {\"hell\": 52} angeben.\n";
    for (const std::string& settings :
         {R"({"outputs": [)" + row + R"(], "neon": {"hell": 255}})", R"({"outputs": [)" + row + "]}"}) {
        const fs::path out = folder / "out.hex";
        ProgramRun run =
            cli({"apply", source.string(), write("s.json", settings).string(), "-o", out.string()});
        EXPECT_EQ(run.exitCode, 1) << settings;
        EXPECT_EQ(run.err, expected);
        EXPECT_FALSE(fs::exists(out));
        // In place: the file byte for byte as it was.
        ProgramRun inPlace =
            cli({"apply", source.string(), (folder / "s.json").string(), "-o", source.string()});
        EXPECT_EQ(inPlace.exitCode, 1);
        EXPECT_EQ(readBytes(source), before);
        EXPECT_TRUE(temporaries().empty());
    }
    // HELL typed beside another change that the file cannot hold: refused, nothing written.
    ProgramRun typed =
        cli({"apply", source.string(),
             write("s.json", R"({"outputs": [{"row": 2, "address": 9}], "neon": {"hell": 200}})").string(),
             "-o", source.string()});
    EXPECT_EQ(typed.exitCode, 1);
    EXPECT_TRUE(typed.err.starts_with("Die Licht-Stufe HELL 200 kann in diesem HEX-File nicht gespeichert"))
        << typed.err;
    EXPECT_EQ(readBytes(source), before);

    const fs::path accepted = folder / "accepted.hex";
    ProgramRun run = cli({"apply", source.string(),
                          write("s.json", R"({"outputs": [)" + row + R"(], "neon": {"hell": 52}})").string(),
                          "-o", accepted.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(shownHell(accepted), 52);
}

// Any refused value: the file given as input and output stays byte for byte, with no temporary file.
TEST_F(TruthfulWrites, ARefusedApplyLeavesTheFileByteForByte) {
    const fs::path file = write("relay.hex", demoFirmwareText(31, Protocol::MM));
    const std::string before = *readBytes(file);
    const std::pair<const char*, const char*> refusals[] = {
        {R"({"outputs": [{"row": 1, "address": 17}, {"row": 2, "address": 9999}]})", "ist zu gross"},
        {R"({"outputs": [{"row": 32, "address": 5}]})",
         "Einstellungen: Eintrag 1 von \"outputs\" hat keine gültige Zeile (\"row\" 1 bis 31)."},
        {R"({"extra": {"value": 256}, "outputs": [{"row": 1, "address": 17}]})", "ist zu gross"},
    };
    for (const auto& [settings, message] : refusals) {
        ProgramRun run =
            cli({"apply", file.string(), write("s.json", settings).string(), "-o", file.string()});
        EXPECT_EQ(run.exitCode, 1) << settings;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(readBytes(file), before) << settings;
    }
    EXPECT_TRUE(temporaries().empty());
}

TEST_F(TruthfulWrites, AProgramTableOf1025EntriesIsRefusedAndNothingIsWritten) {
    const fs::path source = test::example(45, Protocol::MM);
    json settings = json::parse(cli({"show", source.string(), "--json"}).out);
    settings["program_table"].push_back(0);
    ASSERT_EQ(settings["program_table"].size(), 1025u);
    const fs::path out = folder / "out.hex";
    ProgramRun run =
        cli({"apply", source.string(), write("s.json", settings.dump()).string(), "-o", out.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("sie hat 1025 Einträge"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out));
    EXPECT_TRUE(temporaries().empty());
}

// The parser would stop reading at a NUL byte: settings with one after the JSON are refused.
TEST_F(TruthfulWrites, SettingsWithBytesAfterTheJsonAreRefused) {
    const fs::path source = test::example(31, Protocol::MM);
    const fs::path out = folder / "out.hex";
    for (const std::string& settings :
         {std::string("{}\0", 3), std::string("{}\0{\"outputs\": []}", 19), std::string("{} x")}) {
        ProgramRun run =
            cli({"apply", source.string(), write("s.json", settings).string(), "-o", out.string()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("nach dem JSON darf nichts mehr folgen"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(out));
    }
    ProgramRun blank =
        cli({"apply", source.string(), write("s.json", "{}\n \t\r\n").string(), "-o", out.string()});
    EXPECT_EQ(blank.exitCode, 0) << blank.err;
}

// The LED demo with a goto (0x2805) in table block 2, where its editor keeps address 2's pattern.
TEST_F(TruthfulWrites, ATableBlockHoldingCodeIsReportedAndNeverRewritten) {
    std::string text = demoFirmwareText(45, Protocol::DCC);
    const std::string key = programBlockKey(2);
    const std::size_t start = text.find("\n" + key) + 1;
    const std::size_t end = text.find("\r\n", start);
    std::string line = text.substr(start, end - start);
    std::string body = line.substr(0, line.size() - 2);
    body.replace(9 + 4 * 3, 4, "0528");
    text.replace(start, end - start, *completeRecord(body));
    const fs::path source = write("led.hex", text);
    const std::string blockLines = text.substr(start, 32 * (line.size() + 2));
    const std::string word = "an Adresse 0x0403 das Wort 0x2805, das kein retlw-Befehl (0x34nn) ist";

    ProgramRun check = cli({"check", source.string()});
    EXPECT_EQ(check.exitCode, 0) << check.err;
    EXPECT_TRUE(check.out.starts_with("In Ordnung"));
    EXPECT_TRUE(check.err.starts_with("Hinweis: Programm-Tabelle 2 (Programmspeicher 0x0400–0x04FF) enthält"))
        << check.err;
    EXPECT_NE(check.err.find(word), std::string::npos) << check.err;

    // Address 1 (block 1) changes; block 2 stays as it is, its goto included.
    const fs::path out = folder / "out.hex";
    ProgramRun other =
        cli({"apply", source.string(),
             write("s.json", R"({"led": {"addresses": [{"address": 1, "stretch": 9}]}})").string(), "-o",
             out.string()});
    ASSERT_EQ(other.exitCode, 0) << other.err;
    const std::string written = *readBytes(out);
    EXPECT_NE(written, text);
    EXPECT_EQ(written.substr(start, blockLines.size()), blockLines);

    // Address 2 (block 2): refused, naming the block and the word.
    for (const std::string& settings :
         {std::string{R"({"led": {"addresses": [{"address": 2, "stretch": 9}]}})"}, [&] {
              json table = json::parse(cli({"show", source.string(), "--json"}).out);
              json changed = {{"program_table", table.at("program_table")}};
              changed["program_table"][256 + 102] = 9;
              return changed.dump();
          }()}) {
        ProgramRun run =
            cli({"apply", source.string(), write("s.json", settings).string(), "-o", source.string()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.starts_with("Die Programm-Tabelle 2 (Programmspeicher 0x0400–0x04FF) kann nicht "
                                        "geändert werden"))
            << run.err;
        EXPECT_NE(run.err.find(word), std::string::npos) << run.err;
        EXPECT_EQ(readBytes(source), text);
    }
}

TEST_F(TruthfulWrites, AReplacedFileKeepsItsAclAndAttributes) {
    const fs::path target = write("shared.hex", demoFirmwareText(31, Protocol::MM));
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    if (!ran("setfacl -m u:nobody:rw " + quoted(target)) ||
        !ran("setfattr -n user.decoder -v 'Weiche 7' " + quoted(target)))
        GTEST_SKIP() << "setfacl or setfattr is missing, or the file system keeps no ACL or attributes";
    const auto acl = attribute(target, "system.posix_acl_access");
    ProgramRun run =
        cli({"apply", target.string(),
             write("s.json", R"({"outputs": [{"row": 1, "address": 17}]})").string(), "-o", target.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(attribute(target, "system.posix_acl_access"), acl);
    EXPECT_EQ(attribute(target, "user.decoder"), "Weiche 7");
    EXPECT_EQ(modeOf(target), 0660u) << "the group bits stay the ACL's mask, as before";
}

TEST_F(TruthfulWrites, AReadOnlyTargetNeedsForceAndAnImmutableOneIsRefused) {
    const fs::path target = write("fixed.hex", demoFirmwareText(31, Protocol::MM));
    const std::string before = *readBytes(target);
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    const fs::path settings = write("s.json", R"({"outputs": [{"row": 1, "address": 17}]})");
    ProgramRun refused = cli({"apply", target.string(), settings.string(), "-o", target.string()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err, "Die Datei \"" + target.string() +
                               "\" konnte nicht geschrieben werden: Die Datei ist schreibgeschützt.\n"
                               "Eine vorhandene Datei dieses Namens ist unverändert.\n"
                               "Mit --force wird sie trotzdem ersetzt.\n");
    EXPECT_EQ(readBytes(target), before);
    ProgramRun demo = cli({"demo", "31", "-o", target.string()});
    EXPECT_EQ(demo.exitCode, 2);

    ProgramRun forced = cli({"apply", target.string(), settings.string(), "-o", target.string(), "--force"});
    ASSERT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_NE(readBytes(target), before);
    EXPECT_EQ(modeOf(target), 0444u);

    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    if (!ran("chattr +i " + quoted(target)))
        GTEST_SKIP() << "chattr +i is not allowed here (file system or missing CAP_LINUX_IMMUTABLE)";
    const std::string kept = *readBytes(target);
    ProgramRun immutable =
        cli({"apply", target.string(), settings.string(), "-o", target.string(), "--force"});
    ran("chattr -i " + quoted(target));
    EXPECT_EQ(immutable.exitCode, 2);
    EXPECT_NE(immutable.err.find("Die Datei ist unveränderlich (Attribut i)."), std::string::npos)
        << immutable.err;
    EXPECT_EQ(immutable.err.find("Keine Berechtigung"), std::string::npos);
    EXPECT_EQ(readBytes(target), kept);
    EXPECT_TRUE(temporaries().empty());
}

TEST_F(TruthfulWrites, OtherHardLinksAreNamedInAWarning) {
    const fs::path target = write("decoder.hex", demoFirmwareText(31, Protocol::MM));
    const std::string before = *readBytes(target);
    ASSERT_EQ(::link(target.c_str(), (folder / "backup.hex").c_str()), 0);
    ProgramRun run =
        cli({"apply", target.string(),
             write("s.json", R"({"outputs": [{"row": 1, "address": 17}]})").string(), "-o", target.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err,
              "Achtung: Die Datei \"" + target.string() +
                  "\" hat 2 Namen (harte Verknüpfungen). Nur dieser Name erhält den neuen Inhalt; der "
                  "andere Name behält den alten.\n");
    EXPECT_NE(readBytes(target), before);
    EXPECT_EQ(readBytes(folder / "backup.hex"), before);
}

// An input from a FAT stick (0777) or with setuid gives an output as the umask allows, never
// world-writable, never setuid.
TEST_F(TruthfulWrites, ANewOutputGetsTheInputsModeWithinTheUmask) {
    const fs::path settings = write("s.json", "{}");
    const mode_t previous = ::umask(022);
    for (mode_t input : {0777u, 04755u, 0600u}) {
        const fs::path source = write("in.hex", demoFirmwareText(31, Protocol::MM));
        ASSERT_EQ(::chmod(source.c_str(), input), 0);
        const fs::path out = folder / "out.hex";
        ProgramRun run = cli({"apply", source.string(), settings.string(), "-o", out.string()});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(modeOf(out), input & 0755u) << std::oct << input;
        fs::remove(out);
    }
    ::umask(previous);
}

// `ulimit -f` used to kill the run with SIGXFSZ and leave the temporary file.
TEST_F(TruthfulWrites, AFileSizeLimitGivesTheGermanMessageAndLeavesNoTemporaryFile) {
    const fs::path target = write("out.hex", "old");
    ProgramRun run = test::runProgram(
        "/bin/bash", {"-c", "ulimit -f 2 && exec \"$0\" demo 45 -o \"$1\"", HQ_CLI_PATH, target.string()});
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("Die Datei ist zu gross für den Datenträger oder für die Grenze der Dateigröße "
                           "(ulimit -f)."),
              std::string::npos)
        << run.err;
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_TRUE(temporaries().empty());
}

TEST_F(TruthfulWrites, AnAppendOnlyFolderIsRefusedWithoutLeavingATemporaryFile) {
    const fs::path inner = folder / "archiv";
    fs::create_directory(inner);
    test::writeBytes(inner / "out.hex", "old");
    if (!ran("chattr +a " + quoted(inner)))
        GTEST_SKIP() << "chattr +a is not allowed here (file system or missing CAP_LINUX_IMMUTABLE)";
    ProgramRun run = cli({"demo", "31", "-o", (inner / "out.hex").string()});
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(inner))
        names.push_back(entry.path().filename().string());
    ran("chattr -a " + quoted(inner));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("(Attribut a)"), std::string::npos) << run.err;
    EXPECT_EQ(names, std::vector<std::string>{"out.hex"});
    EXPECT_EQ(readBytes(inner / "out.hex"), "old");
}

// The new content is on the disk before its name replaces the old file: fsync of the temporary
// file comes before the rename, in the system calls the program makes.
TEST_F(TruthfulWrites, TheTemporaryFileIsFlushedBeforeTheRename) {
    const fs::path target = write("out.hex", "old");
    const fs::path trace = folder / "trace.txt";
    ProgramRun run = test::runProgram(
        "/usr/bin/strace", {"-f", "-qq", "-e", "trace=openat,fsync,fdatasync,rename,renameat,renameat2", "-o",
                            trace.string(), HQ_CLI_PATH, "demo", "31", "-o", target.string()});
    if (run.exitCode != 0 && !fs::exists(trace))
        GTEST_SKIP() << "strace cannot trace here: " << run.err;
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::ifstream in(trace);
    std::string line;
    std::string temporaryFd;
    int fsyncLine = 0;
    int renameLine = 0;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.find("openat(") != std::string::npos && line.find(".out.hex.tmp") != std::string::npos &&
            line.find("O_CREAT") != std::string::npos)
            temporaryFd = line.substr(line.rfind("= ") + 2);
        if (!temporaryFd.empty() && fsyncLine == 0 &&
            line.find("fsync(" + temporaryFd + ")") != std::string::npos)
            fsyncLine = number;
        if (line.find("rename") != std::string::npos && line.find(".out.hex.tmp") != std::string::npos)
            renameLine = number;
    }
    ASSERT_FALSE(temporaryFd.empty()) << "the temporary file was not seen being created";
    ASSERT_GT(fsyncLine, 0) << "the temporary file was never flushed";
    ASSERT_GT(renameLine, 0);
    EXPECT_LT(fsyncLine, renameLine);
    EXPECT_NE(readBytes(target), "old");
}

} // namespace
} // namespace hq
