// Reading the program's arguments.

#include "LaunchOptions.h"

#include <cstring>

LaunchOptions LaunchOptions::parse(const QStringList& arguments) {
    LaunchOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QStringLiteral("--screenshot")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("Nach --screenshot fehlt der Name der Bilddatei.");
                return options;
            }
            options.screenshot = arguments.at(++i);
        } else if (argument == QStringLiteral("--pdf")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("Nach --pdf fehlt der Name der PDF-Datei.");
                return options;
            }
            options.pdf = arguments.at(++i);
        } else if (argument == QStringLiteral("--quit-after-first-frame")) {
            options.quitAfterFirstFrame = true;
        } else if (argument.startsWith(QStringLiteral("--"))) {
            options.error = QStringLiteral("Unbekannte Option: %1").arg(argument);
            return options;
        } else if (options.file.isEmpty()) {
            options.file = argument;
        } else {
            options.error = QStringLiteral("Es kann nur ein HEX-File angegeben werden.");
            return options;
        }
    }
    if (!options.pdf.isEmpty() && !options.screenshot.isEmpty()) {
        options.error = QStringLiteral("--pdf und --screenshot können nicht zusammen verwendet werden.");
    } else if (!options.pdf.isEmpty() && options.file.isEmpty()) {
        options.error = QStringLiteral("Zu --pdf gehört das HEX-File, dessen Einstellungen gedruckt werden.");
    }
    return options;
}

QString LaunchOptions::usage() {
    return QStringLiteral("Aufruf: hexquendra [HEX-File] | hexquendra --screenshot BILD.png [HEX-File] | "
                          "hexquendra --pdf BLATT.pdf HEX-File");
}

bool LaunchOptions::runsWithoutWindow(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != nullptr && std::strcmp(argv[i], "--pdf") == 0)
            return true;
    }
    return false;
}
