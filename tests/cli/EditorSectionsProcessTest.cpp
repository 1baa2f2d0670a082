// hexquendra-cli run as a program on the editor sections: show --json, an edit, apply, show again.

#include "image/TextFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace hq {
namespace {

struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

ProgramRun cli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(HQ_CLI_PATH), arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString q(const char* text) {
    return QString::fromUtf8(text);
}

QString example(int kind, const char* protocol) {
    return QStringLiteral(HQ_EXAMPLES_DIR "/demo-%1-%2.hex").arg(kind).arg(q(protocol));
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

// Changes one object inside the JSON: `path` names the keys and list indexes down to it.
using Edit = std::function<void(QJsonObject&)>;

QJsonValue edited(const QJsonValue& value, const QStringList& path, const Edit& edit) {
    if (path.isEmpty()) {
        QJsonObject object = value.toObject();
        edit(object);
        return object;
    }
    const QStringList rest = path.mid(1);
    if (value.isArray()) {
        QJsonArray list = value.toArray();
        const int index = path.first().toInt();
        list[index] = edited(list[index], rest, edit);
        return list;
    }
    QJsonObject object = value.toObject();
    object[path.first()] = edited(object[path.first()], rest, edit);
    return object;
}

class EditorSectionsProgram : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    QString path(const QString& name) const { return folder.filePath(name); }
    QString writeJson(const QString& name, const QJsonObject& json) const {
        EXPECT_TRUE(
            writeFileReplacing(path(name).toStdString(), QJsonDocument(json).toJson().toStdString()).ok());
        return path(name);
    }
    // show --json, the edit, apply into a new file and show --json of that file.
    QJsonObject roundTrip(const QString& source, const QStringList& where, const Edit& edit) {
        QJsonObject json = edited(showJson(source), where, edit).toObject();
        const QString out = path(QStringLiteral("out-%1.hex").arg(++runs));
        ProgramRun apply = cli(
            {q("apply"), source, writeJson(QStringLiteral("edit-%1.json").arg(runs), json), q("-o"), out});
        EXPECT_EQ(apply.exitCode, 0) << apply.err.toStdString();
        ProgramRun check = cli({q("check"), out});
        EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
        return showJson(out);
    }
    QTemporaryDir folder;
    int runs = 0;
};

TEST_F(EditorSectionsProgram, UnchangedShowOutputWritesTheSameFile) {
    for (int kind : {42, 43, 44, 45, 15}) {
        for (const char* protocol : {"mm", "dcc"}) {
            const QString source = example(kind, protocol);
            const QString out = path(QStringLiteral("same-%1-%2.hex").arg(kind).arg(q(protocol)));
            ProgramRun apply =
                cli({q("apply"), source, writeJson(q("same.json"), showJson(source)), q("-o"), out});
            ASSERT_EQ(apply.exitCode, 0) << apply.err.toStdString();
            EXPECT_EQ(fileBytes(out), fileBytes(source)) << kind << " " << protocol;
        }
    }
}

TEST_F(EditorSectionsProgram, ServoRoundTrip) {
    const QString source = example(42, "dcc");
    QJsonObject servo = roundTrip(source, {q("servo"), q("curves"), q("1")},
                                  [](QJsonObject& curve) {
                                      curve[q("count")] = 150;
                                      curve[q("stretch")] = 0;
                                      QJsonArray points = curve[q("points")].toArray();
                                      points[0] = QJsonObject{{q("position"), 77}, {q("relay"), true}};
                                      curve[q("points")] = points;
                                  })[q("servo")]
                            .toObject();
    QJsonObject curve = servo[q("curves")].toArray()[1].toObject();
    EXPECT_EQ(curve[q("count")].toInt(), 100);
    EXPECT_EQ(curve[q("stretch")].toInt(), 1);
    EXPECT_EQ(curve[q("points")].toArray().size(), 100);
    EXPECT_EQ(curve[q("points")].toArray()[0].toObject(),
              (QJsonObject{{q("position"), 77}, {q("relay"), true}}));

    servo = roundTrip(source, {q("servo"), q("timings"), q("2")},
                      [](QJsonObject& timing) {
                          timing[q("offset")] = 20;
                          timing[q("faktor")] = 200;
                      })[q("servo")]
                .toObject();
    QJsonObject timing = servo[q("timings")].toArray()[2].toObject();
    EXPECT_EQ(timing[q("offset")].toInt(), 50);
    EXPECT_EQ(timing[q("faktor")].toInt(), 200);
    EXPECT_EQ(timing[q("min_ms")].toString(), q("0.400"));
    EXPECT_EQ(timing[q("max_ms")].toString(), q("0.984")); // 50 + 127 - 54 units

    servo = roundTrip(source, {q("servo"), q("assignments"), q("6")},
                      [](QJsonObject& row) {
                          row[q("servo")] = 2;
                          row[q("action")] = q("Start Loop");
                          row[q("relay")] = 3;
                      })[q("servo")]
                .toObject();
    QJsonObject row = servo[q("assignments")].toArray()[6].toObject();
    EXPECT_EQ(row[q("address")].toInt(), 7);
    EXPECT_EQ(row[q("servo")].toInt(), 2);
    EXPECT_EQ(row[q("action")].toString(), q("Start Loop"));
    EXPECT_EQ(row[q("relay")].toInt(), 3);
}

TEST_F(EditorSectionsProgram, BlinkAndLedRoundTrip) {
    QJsonObject address =
        roundTrip(example(43, "mm"), {q("blink"), q("addresses"), q("0")},
                  [](QJsonObject& entry) {
                      entry[q("count")] = 99;
                      entry[q("loop")] = false;
                      QJsonArray outputs = entry[q("outputs")].toArray();
                      outputs[3] = QJsonObject{{q("output"), 4}, {q("used"), true}, {q("steps"), q("0110")}};
                      entry[q("outputs")] = outputs;
                  })[q("blink")]
            .toObject()[q("addresses")]
            .toArray()[0]
            .toObject();
    EXPECT_EQ(address[q("count")].toInt(), 50);
    EXPECT_FALSE(address[q("loop")].toBool());
    QJsonObject fourth = address[q("outputs")].toArray()[3].toObject();
    EXPECT_TRUE(fourth[q("used")].toBool());
    EXPECT_EQ(fourth[q("steps")].toString().left(4), q("0110"));
    EXPECT_EQ(fourth[q("steps")].toString().size(), 50);

    address = roundTrip(example(45, "dcc"), {q("led"), q("addresses"), q("2")},
                        [](QJsonObject& entry) {
                            entry[q("count")] = 150;
                            entry[q("stretch")] = 7;
                            QJsonArray outputs = entry[q("outputs")].toArray();
                            QJsonObject ninth = outputs[8].toObject();
                            ninth[q("used")] = false;
                            ninth[q("steps")] = q("1");
                            outputs[8] = ninth;
                            entry[q("outputs")] = outputs;
                        })[q("led")]
                  .toObject()[q("addresses")]
                  .toArray()[2]
                  .toObject();
    EXPECT_EQ(address[q("count")].toInt(), 100);
    EXPECT_EQ(address[q("stretch")].toInt(), 7);
    QJsonObject ninth = address[q("outputs")].toArray()[8].toObject();
    EXPECT_FALSE(ninth[q("used")].toBool());
    EXPECT_TRUE(ninth[q("steps")].toString().startsWith(u'1'));
}

TEST_F(EditorSectionsProgram, NeonAndHouseRoundTrip) {
    QJsonObject json = roundTrip(example(44, "mm"), {q("neon")}, [](QJsonObject& neon) {
        neon[q("dunkel")] = 300;
        neon[q("verzoegerung")] = -3;
    });
    EXPECT_EQ(json[q("neon")].toObject()[q("dunkel")].toInt(), 255);
    EXPECT_EQ(json[q("neon")].toObject()[q("verzoegerung")].toInt(), 0);
    EXPECT_EQ(json[q("eeprom")].toArray()[0x20].toString(), q("00"));

    // HELL shares its byte with row 1's code, which is written after it: the rows stay as encoded.
    const QString source = example(44, "dcc");
    const QJsonObject loaded = showJson(source);
    json = roundTrip(source, {q("neon")}, [](QJsonObject& neon) { neon[q("hell")] = 300; });
    EXPECT_EQ(json[q("eeprom")], loaded[q("eeprom")]);
    EXPECT_EQ(json[q("outputs")], loaded[q("outputs")]);

    json = roundTrip(example(15, "dcc"), {q("house")}, [](QJsonObject& house) { house[q("minimum")] = 12; });
    EXPECT_EQ(json[q("house")].toObject()[q("minimum")].toInt(), 9);
    json = roundTrip(example(15, "mm"), {q("house")}, [](QJsonObject& house) { house[q("minimum")] = 0; });
    EXPECT_EQ(json[q("house")].toObject()[q("minimum")].toInt(), 1);
}

TEST_F(EditorSectionsProgram, ARefusalExitsWithOneAndWritesNothing) {
    const struct {
        int kind;
        const char* json;
        const char* message;
    } cases[] = {
        {42, R"({"servo": {"curves": [{"curve": 1, "count": "abc"}]}})",
         "Einstellungen: \"count\" von Kurve 1 in \"servo\" muss eine ganze Zahl sein.\n"},
        {43, R"({"blink": {"addresses": [{"address": 1, "outputs": [{"output": 1, "steps": "1x"}]}]}})",
         "Einstellungen: \"steps\" von Ausgang 1 von Adresse 1 in \"blink\" darf nur 0 und 1 enthalten.\n"},
        {45, R"({"led": {"addresses": [{"address": 1, "stretch": 1.5}]}})",
         "Einstellungen: \"stretch\" von Adresse 1 in \"led\" muss eine ganze Zahl sein.\n"},
        {44, R"({"neon": {"hell": "hell"}})",
         "Einstellungen: \"hell\" von \"neon\" muss eine ganze Zahl sein.\n"},
        {15, R"({"house": {"minimum": [5]}})",
         "Einstellungen: \"minimum\" von \"house\" muss eine ganze Zahl sein.\n"},
    };
    for (const auto& refused : cases) {
        const QString settings = path(q("bad.json"));
        ASSERT_TRUE(writeFileReplacing(settings.toStdString(), refused.json).ok());
        const QString out = path(q("never.hex"));
        ProgramRun run = cli({q("apply"), example(refused.kind, "mm"), settings, q("-o"), out});
        EXPECT_EQ(run.exitCode, 1) << refused.json;
        EXPECT_EQ(run.err, q(refused.message));
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace
} // namespace hq
