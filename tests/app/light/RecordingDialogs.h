#pragma once
// Records every message instead of showing it; file dialogs are never opened by the light editors.

#include "Dialogs.h"

#include <QStringList>

class RecordingDialogs : public Dialogs {
public:
    RecordingDialogs() { Dialogs::install(this); }
    ~RecordingDialogs() override { Dialogs::install(nullptr); }

    QString openFileName(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon, const QString& text,
                                        QMessageBox::StandardButtons) override {
        messages << text;
        return QMessageBox::Ok;
    }
    void openUrl(const QUrl&) override {}

    QStringList messages;
};
