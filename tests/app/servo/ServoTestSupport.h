#pragma once
// Shared by the servo widget tests: dialogs that answer from a script and record every message, and
// the main window to host the editor.

#include "Dialogs.h"
#include "main/TFormMain.h"

#include <QStringList>

class ScriptedDialogs : public Dialogs {
public:
    QStringList messages;
    QStringList filters;
    QString suffix;
    QString nextOpen;
    QString nextSave;

    QString openFileName(QWidget*, const QString& filter) override {
        filters << filter;
        return nextOpen;
    }
    QString saveFileName(QWidget*, const QString& filter, const QString& defaultSuffix,
                         const QString&) override {
        filters << filter;
        suffix = defaultSuffix;
        return nextSave;
    }
    QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon, const QString& text,
                                        QMessageBox::StandardButtons) override {
        messages << text;
        return QMessageBox::Ok;
    }
    void openUrl(const QUrl&) override {}
};

// The main window as the editor's host, without editors of its own.
using StandInWindow = TFormMain;
