#include "CommandLine.h"

namespace hq {

QString versionText() {
    return QStringLiteral("hexquendra-cli ") + QStringLiteral(HQ_VERSION_TEXT);
}

QString commandHelp(const CliCommand& command) {
    return QStringLiteral("Aufruf: hexquendra-cli ") + QString::fromUtf8(command.name) + u' ' +
           QString::fromUtf8(command.synopsis) + QStringLiteral("\n\n") + QString::fromUtf8(command.summary) +
           QStringLiteral("\n\n") + QString::fromUtf8(command.details) +
           QStringLiteral("  -h, --help                  diese Hilfe\n"
                          "      --version               Versionsnummer\n");
}

int usageError(const CliCommand& command, const QString& message, Console& console) {
    console.err << message << QStringLiteral("\nHilfe: hexquendra-cli ") << QString::fromUtf8(command.name)
                << QStringLiteral(" --help\n");
    return kExitUsage;
}

std::optional<int> parseCommandLine(QCommandLineParser& parser, const CliCommand& command,
                                    const QStringList& arguments, qsizetype positionals, Console& console) {
    QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Hilfe"));
    QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Version"));
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(arguments)) {
        QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            QString name = unknown.first();
            return usageError(
                command, QStringLiteral("Unbekannte Option: ") + (name.size() == 1 ? u"-" : u"--") + name,
                console);
        }
        return usageError(command, QStringLiteral("Ungültiger Aufruf: ") + parser.errorText(), console);
    }
    if (parser.isSet(help)) {
        console.out << commandHelp(command);
        return kExitSuccess;
    }
    if (parser.isSet(version)) {
        console.out << versionText() << u'\n';
        return kExitSuccess;
    }
    qsizetype given = parser.positionalArguments().size();
    if (given < positionals)
        return usageError(command, QStringLiteral("Es fehlen Angaben."), console);
    if (given > positionals) {
        return usageError(
            command, QStringLiteral("Zu viele Angaben: ") + parser.positionalArguments().join(u' '), console);
    }
    return std::nullopt;
}

} // namespace hq
