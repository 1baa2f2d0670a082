// hexquendra-cli run as a program: the files it writes, its exit codes and its stderr.

#include "image/Firmware.h"
#include "image/TextFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hq {
namespace {

struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

ProgramRun runProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

ProgramRun cli(const QStringList& arguments) {
    return runProgram(QStringLiteral(HQ_CLI_PATH), arguments);
}

QString q(const char* text) {
    return QString::fromUtf8(text);
}

QString example(int kind, const char* protocol) {
    return QStringLiteral(HQ_EXAMPLES_DIR "/demo-%1-%2.hex").arg(kind).arg(q(protocol));
}

// Both outside readers of Intel HEX accept the file.
void expectReadableByHexTools(const QString& file) {
    ProgramRun srec =
        runProgram(QStringLiteral(HQ_SREC_CAT), {file, q("-Intel"), q("-o"), q("/dev/null"), q("-Intel")});
    EXPECT_EQ(srec.exitCode, 0) << file.toStdString() << ": " << srec.err.toStdString();
    ProgramRun objcopy = runProgram(QStringLiteral(HQ_OBJCOPY),
                                    {q("-I"), q("ihex"), q("-O"), q("ihex"), file, q("/dev/null")});
    EXPECT_EQ(objcopy.exitCode, 0) << file.toStdString() << ": " << objcopy.err.toStdString();
}

QJsonObject showJson(const QString& file) {
    ProgramRun run = cli({q("show"), file, q("--json")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QJsonDocument::fromJson(run.out).object();
}

QByteArray fileBytes(const QString& path) {
    auto text = readTextFile(path.toStdString());
    return text.ok() ? QByteArray::fromStdString(*text) : QByteArray();
}

class CliProgram : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    QString path(const char* name) const { return folder.filePath(q(name)); }
    QString writeJson(const char* name, const QJsonObject& json) const {
        EXPECT_TRUE(
            writeFileReplacing(path(name).toStdString(), QJsonDocument(json).toJson().toStdString()).ok());
        return path(name);
    }
    QTemporaryDir folder;
};

// Every example the build wrote is recognised, passes check and is read by both HEX tools.
TEST_F(CliProgram, EveryExampleIsRecognisedAndChecksOut) {
    for (const KindInfo& info : kindsTable()) {
        for (const char* protocol : {"mm", "dcc"}) {
            const QString file = example(info.kind, protocol);
            SCOPED_TRACE(file.toStdString());
            ASSERT_TRUE(QFile::exists(file));
            QJsonObject json = showJson(file);
            QJsonObject firmware = json[q("firmware")].toObject();
            EXPECT_EQ(firmware[q("kind")].toInt(), info.kind);
            EXPECT_EQ(firmware[q("caption")].toString(),
                      QString::fromUtf8(info.statusCaption.data(),
                                        static_cast<qsizetype>(info.statusCaption.size())));
            EXPECT_EQ(firmware[q("protocol")].toString(), q(protocol).toUpper());
            EXPECT_FALSE(json[q("outputs")].toArray().isEmpty());

            ProgramRun check = cli({q("check"), file});
            EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
            EXPECT_TRUE(check.out.startsWith("In Ordnung: "));
        }
    }
}

TEST_F(CliProgram, EditedJsonRoundTripsThroughApply) {
    const QString source = example(31, "dcc");
    QJsonObject json = showJson(source);
    QJsonArray outputs = json[q("outputs")].toArray();
    QJsonObject first = outputs[0].toObject();
    first[q("address")] = 2044;
    first[q("color")] = q("red");
    outputs[0] = first;
    QJsonObject fourth = outputs[3].toObject();
    fourth[q("address")] = q("99");
    outputs[3] = fourth;
    json[q("outputs")] = outputs;
    QJsonObject extra = json[q("extra")].toObject();
    extra[q("value")] = 200;
    json[q("extra")] = extra;

    const QString out = path("edited.hex");
    ProgramRun apply = cli({q("apply"), source, writeJson("edited.json", json), q("-o"), out});
    ASSERT_EQ(apply.exitCode, 0) << apply.err.toStdString();
    EXPECT_TRUE(apply.err.isEmpty());
    expectReadableByHexTools(out);
    EXPECT_EQ(cli({q("check"), out}).exitCode, 0);

    QJsonObject again = showJson(out);
    EXPECT_EQ(again[q("outputs")].toArray()[0].toObject()[q("address")].toInt(), 2044);
    EXPECT_EQ(again[q("outputs")].toArray()[0].toObject()[q("color")].toString(), q("red"));
    EXPECT_EQ(again[q("outputs")].toArray()[3].toObject()[q("address")].toInt(), 99);
    EXPECT_EQ(again[q("extra")].toObject()[q("value")].toInt(), 200);
    // The rest is as before: the edited JSON and the new file's JSON agree everywhere else.
    json[q("outputs")] = again[q("outputs")];
    json[q("extra")] = again[q("extra")];
    json[q("eeprom")] = again[q("eeprom")];
    EXPECT_EQ(again, json);
}

TEST_F(CliProgram, UnchangedSettingsGiveTheSameFile) {
    for (int kind : {42, 43, 45, 6}) {
        const QString source = example(kind, "mm");
        const QString out = path("same.hex");
        ProgramRun apply = cli({q("apply"), source, writeJson("same.json", showJson(source)), q("-o"), out});
        ASSERT_EQ(apply.exitCode, 0) << apply.err.toStdString();
        EXPECT_EQ(fileBytes(out), fileBytes(source)) << kind;
    }
}

TEST_F(CliProgram, ProgramTableEditsReachTheFile) {
    const QString source = example(43, "mm");
    QJsonObject json = showJson(source);
    QJsonArray table = json[q("program_table")].toArray();
    table[64 + 53] = 33; // count of address 2
    json[q("program_table")] = table;
    const QString out = path("blink.hex");
    ASSERT_EQ(cli({q("apply"), source, writeJson("blink.json", json), q("-o"), out}).exitCode, 0);
    expectReadableByHexTools(out);
    EXPECT_EQ(showJson(out)[q("program_table")].toArray()[64 + 53].toInt(), 33);
}

TEST_F(CliProgram, ABadValueWritesNothing) {
    const QString source = example(31, "mm");
    QJsonObject json{{q("outputs"), QJsonArray{QJsonObject{{q("row"), 1}, {q("address"), q("abc")}}}}};
    const QString settings = writeJson("bad.json", json);

    const QString out = path("new.hex");
    ProgramRun refused = cli({q("apply"), source, settings, q("-o"), out});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, q("Ungültige Eingabe für <Out 1> \n"));
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_FALSE(QFile::exists(out));

    const std::string existing = "kept as it was\n";
    ASSERT_TRUE(writeFileReplacing(path("old.hex").toStdString(), existing).ok());
    EXPECT_EQ(cli({q("apply"), source, settings, q("-o"), path("old.hex")}).exitCode, 1);
    EXPECT_EQ(fileBytes(path("old.hex")).toStdString(), existing);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no temporary file left";
}

TEST_F(CliProgram, DemoWritesWhatTheToolsRead) {
    const QString out = path("demo.hex");
    ProgramRun demo =
        cli({q("demo"), q("20"), q("--protocol"), q("dcc"), q("--type"), q("fahrzeug"), q("-o"), out});
    ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    expectReadableByHexTools(out);
    QJsonObject firmware = showJson(out)[q("firmware")].toObject();
    EXPECT_EQ(firmware[q("kind")].toInt(), 20);
    EXPECT_EQ(firmware[q("type")].toString(), q("Fahrzeug"));
}

TEST_F(CliProgram, ExitCodesOfTheProgram) {
    EXPECT_EQ(cli({q("--help")}).exitCode, 0);
    EXPECT_EQ(cli({q("--version")}).out, QByteArray("hexquendra-cli 0.41.0\n"));
    EXPECT_EQ(cli({}).exitCode, 2);
    EXPECT_EQ(cli({q("show"), path("missing.hex")}).exitCode, 2);
    ProgramRun umlaut = cli({q("show"), example(25, "mm")});
    EXPECT_TRUE(QString::fromUtf8(umlaut.out).contains(q("Signal 1 grün"))) << "UTF-8 on stdout";
}

} // namespace
} // namespace hq
