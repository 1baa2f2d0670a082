#include "WindowFirstDialogs.h"

#include <QWidget>

WindowFirstDialogs::WindowFirstDialogs(Dialogs& inner, QWidget& window) : inner_(inner), window_(window) {}

QString WindowFirstDialogs::openFileName(QWidget* parent, const QString& filter) {
    window_.show();
    return inner_.openFileName(parent, filter);
}

QString WindowFirstDialogs::saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                         const QString& proposedName) {
    window_.show();
    return inner_.saveFileName(parent, filter, defaultSuffix, proposedName);
}

QMessageBox::StandardButton WindowFirstDialogs::message(QWidget* parent, QMessageBox::Icon icon,
                                                        const QString& text,
                                                        QMessageBox::StandardButtons buttons) {
    window_.show();
    return inner_.message(parent, icon, text, buttons);
}

void WindowFirstDialogs::openUrl(const QUrl& url) {
    inner_.openUrl(url);
}

bool WindowFirstDialogs::confirmList(QWidget* parent, const QString& title, const QString& intro,
                                     const QStringList& lines) {
    window_.show();
    return inner_.confirmList(parent, title, intro, lines);
}

bool WindowFirstDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    window_.show();
    return inner_.choosePrinter(parent, printer);
}

QString WindowFirstDialogs::existingFolder(QWidget* parent, const QString& title) {
    window_.show();
    return inner_.existingFolder(parent, title);
}
