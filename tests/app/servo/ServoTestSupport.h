#pragma once
// Shared by the servo widget tests: dialogs that answer from a script and record every message, and
// a stand-in for the main window with the grid box, the button row and a status bar.

#include "Dialogs.h"

#include <QGroupBox>
#include <QMainWindow>
#include <QStatusBar>
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

// The main window's boxes at their places after a load: grid (5, 5) 400 x 475, buttons 400 x 80
// and picture box beside them at y = 485.
class StandInWindow : public QMainWindow {
public:
    StandInWindow() {
        auto* client = new QWidget(this);
        setCentralWidget(client);
        grid = new QGroupBox(client);
        grid->setObjectName(QStringLiteral("GroupBoxMain"));
        grid->setGeometry(5, 5, 400, 475);
        buttons = new QGroupBox(client);
        buttons->setObjectName(QStringLiteral("GroupBoxButtons"));
        buttons->setGeometry(5, 485, 400, 80);
        image = new QGroupBox(client);
        image->setObjectName(QStringLiteral("GroupBoxImage"));
        image->setGeometry(410, 485, 335, 80);
        setStatusBar(new QStatusBar(this));
        statusBar()->showMessage(QStringLiteral("Servo"));
        setMinimumSize(750, 630);
        resize(750, 630);
    }

    QGroupBox* grid;
    QGroupBox* buttons;
    QGroupBox* image;
};
