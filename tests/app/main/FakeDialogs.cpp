#include "FakeDialogs.h"

#include <QPrinter>

QString FakeDialogs::openFileName(QWidget*, const QString& filter) {
    openFilters.append(filter);
    return openNames.isEmpty() ? QString() : openNames.takeFirst();
}

QString FakeDialogs::saveFileName(QWidget*, const QString& filter, const QString& defaultSuffix,
                                  const QString& proposedName) {
    saveCalls.append({filter, defaultSuffix, proposedName});
    return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
}

QMessageBox::StandardButton FakeDialogs::message(QWidget*, QMessageBox::Icon icon, const QString& text,
                                                 QMessageBox::StandardButtons buttons) {
    messages.append({icon, text, buttons});
    if (!answers.isEmpty()) {
        return answers.takeFirst();
    }
    for (const auto button :
         {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No, QMessageBox::Save}) {
        if (buttons.testFlag(button)) {
            return button;
        }
    }
    return QMessageBox::NoButton;
}

bool FakeDialogs::confirmList(QWidget*, const QString& title, const QString& intro,
                              const QStringList& lines) {
    lists.append({title, intro, lines});
    return confirmAnswer;
}

bool FakeDialogs::choosePrinter(QWidget*, QPrinter& printer) {
    if (printFile.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printFile);
    return true;
}

void FakeDialogs::openUrl(const QUrl& url) {
    urls.append(url);
}

QStringList FakeDialogs::messageTexts() const {
    QStringList texts;
    for (const Message& m : messages) {
        texts.append(m.text);
    }
    return texts;
}

QString FakeDialogs::existingFolder(QWidget*, const QString& title) {
    folderTitles.append(title);
    return folderNames.isEmpty() ? QString() : folderNames.takeFirst();
}
