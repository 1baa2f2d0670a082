#include "Cli.h"

#include "CliCommand.h"
#include "CommandLine.h"

namespace hq {

namespace {

QString overview() {
    QString text = QStringLiteral("Aufruf: hexquendra-cli BEFEHL [OPTIONEN] ...\n\n"
                                  "Konfiguriert Dekoder-Firmware im Intel-HEX-Format ohne Fenster.\n\n"
                                  "Befehle:\n");
    for (const CliCommand& command : cliCommands()) {
        text += QStringLiteral("  ") + QString::fromUtf8(command.name).leftJustified(7) +
                QString::fromUtf8(command.summary) + u'\n';
    }
    text += QStringLiteral(
        "\n"
        "Optionen:\n"
        "  -h, --help     diese Hilfe; \"hexquendra-cli BEFEHL --help\" zeigt die des Befehls\n"
        "      --version  Versionsnummer\n\n"
        "Rückgabewerte: 0 Erfolg, 1 HEX-File oder Einstellungen abgelehnt (Meldung auf\n"
        "stderr), 2 falscher Aufruf oder Fehler beim Lesen oder Schreiben einer Datei.\n");
    return text;
}

} // namespace

std::span<const CliCommand> cliCommands() {
    static const CliCommand commands[] = {showCommand(), applyCommand(), checkCommand(), demoCommand()};
    return commands;
}

int runCli(const QStringList& arguments, Console& console) {
    if (arguments.size() < 2) {
        console.err << overview();
        return kExitUsage;
    }
    const QString& first = arguments.at(1);
    if (first == u"-h" || first == u"--help") {
        console.out << overview();
        return kExitSuccess;
    }
    if (first == u"--version") {
        console.out << versionText() << u'\n';
        return kExitSuccess;
    }
    for (const CliCommand& command : cliCommands()) {
        if (first == QString::fromUtf8(command.name)) {
            QStringList rest = arguments.mid(2);
            rest.prepend(QStringLiteral("hexquendra-cli ") + first);
            return command.run(command, rest, console);
        }
    }
    QStringList names;
    for (const CliCommand& command : cliCommands())
        names << QString::fromUtf8(command.name);
    console.err << QStringLiteral("Unbekannter Befehl: ") << first << QStringLiteral("\nBefehle: ")
                << names.join(QStringLiteral(", ")) << QStringLiteral(". Hilfe: hexquendra-cli --help\n");
    return kExitUsage;
}

} // namespace hq
