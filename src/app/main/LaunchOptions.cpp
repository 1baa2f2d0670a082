#include "LaunchOptions.h"

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
    return options;
}
