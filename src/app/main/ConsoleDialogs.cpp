#include "ConsoleDialogs.h"

#include <cstdio>

QString ConsoleDialogs::openFileName(QWidget*, const QString&) {
    return {};
}

QString ConsoleDialogs::saveFileName(QWidget*, const QString&, const QString&, const QString&) {
    return {};
}

QMessageBox::StandardButton ConsoleDialogs::message(QWidget*, QMessageBox::Icon, const QString& text,
                                                    QMessageBox::StandardButtons buttons) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    for (const QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
        if (buttons.testFlag(answer)) {
            return answer;
        }
    }
    return QMessageBox::NoButton;
}

void ConsoleDialogs::openUrl(const QUrl&) {}

QString ConsoleDialogs::existingFolder(QWidget*, const QString&) {
    return {};
}
