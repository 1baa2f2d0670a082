#pragma once
// Shared by the servo widget tests: the servo firmware, dialogs that answer from a script and record
// every message, and the main window to host the editor.

#include "../../core/servo/ServoFirmwareText.h"
#include "Dialogs.h"
#include "main/TFormMain.h"

#include <QStringList>
#include <QTabWidget>

#include <string>

// The demo curves and timing in a firmware recognised as the servo decoder: its reset vector names
// the kind, so the document reads the servo settings from it.
inline std::string servoDecoderText() {
    return ":04000000D3303A2897\r\n" + hq::servotest::servoFirmwareText();
}

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

// Shows each tab of the assignment panel once, as a user looking through them does (a tab's controls
// are built when it is first shown), and goes back to the first.
inline void openEveryServoTab(QWidget* window) {
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("servo_tabs"));
    if (tabs == nullptr)
        return;
    for (int i = tabs->count() - 1; i >= 0; --i)
        tabs->setCurrentIndex(i);
}
