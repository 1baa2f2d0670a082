#pragma once
// Dialogs for tests: records every message and returns preset file names and answers, so nothing
// blocks.

#include "Dialogs.h"

#include <QList>
#include <QStringList>
#include <QUrl>

class FakeDialogs : public Dialogs {
public:
    struct Message {
        QMessageBox::Icon icon;
        QString text;
        QMessageBox::StandardButtons buttons;
    };
    struct SaveCall {
        QString filter;
        QString defaultSuffix;
        QString proposedName;
    };

    QString openFileName(QWidget* parent, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                         const QString& proposedName) override;
    QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    void openUrl(const QUrl& url) override;
    bool confirmList(QWidget* parent, const QString& title, const QString& intro,
                     const QStringList& lines) override;
    // Answers from `folderNames` in turn; cancelled when they are used up.
    QString existingFolder(QWidget* parent, const QString& title) override;
    QStringList folderNames;
    QStringList folderTitles;
    // Prints into `printFile` as a PDF when it is set, else cancels.
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    QString printFile;

    QStringList messageTexts() const;

    QStringList openNames;                      // returned in turn; empty when used up
    QStringList saveNames;                      // returned in turn; empty when used up
    QList<QMessageBox::StandardButton> answers; // returned in turn; else the first button offered
    QList<Message> messages;
    QStringList openFilters;
    QList<SaveCall> saveCalls;
    QList<QUrl> urls;
    struct ListCall {
        QString title;
        QString intro;
        QStringList lines;
    };
    QList<ListCall> lists;     // every list shown for confirmation
    bool confirmAnswer = true; // the answer to them
};
