#include "Dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QPushButton>

namespace {

QString titleFor(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::Warning:
        return QStringLiteral("Warnung");
    case QMessageBox::Critical:
        return QStringLiteral("Fehler");
    case QMessageBox::Question:
        return QStringLiteral("Bestätigung");
    case QMessageBox::Information:
    case QMessageBox::NoIcon:
        break;
    }
    return QStringLiteral("Information");
}

// The buttons get German captions even when no Qt translation is installed.
void germanButtonTexts(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        {QMessageBox::Ok, QStringLiteral("OK")},
        {QMessageBox::Cancel, QStringLiteral("Abbrechen")},
        {QMessageBox::Yes, QStringLiteral("Ja")},
        {QMessageBox::No, QStringLiteral("Nein")},
    };
    for (const auto& [button, caption] : captions) {
        if (QAbstractButton* b = box.button(button)) {
            b->setText(caption);
        }
    }
}

class RealDialogs : public Dialogs {
public:
    QString openFileName(QWidget* parent, const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Öffnen"), QString(), filter);
    }

    QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                         const QString& proposedName) override {
        QFileDialog dialog(parent, QStringLiteral("Speichern unter"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(filter);
        dialog.setDefaultSuffix(defaultSuffix);
        if (!proposedName.isEmpty()) {
            dialog.selectFile(proposedName);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        return dialog.selectedFiles().constFirst();
    }

    QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons) override {
        QMessageBox box(icon, titleFor(icon), text, buttons, parent);
        germanButtonTexts(box);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    void openUrl(const QUrl& url) override { QDesktopServices::openUrl(url); }
};

RealDialogs& realDialogs() {
    static RealDialogs dialogs;
    return dialogs;
}

Dialogs* installedDialogs = nullptr;

} // namespace

Dialogs& Dialogs::instance() {
    return installedDialogs ? *installedDialogs : realDialogs();
}

void Dialogs::install(Dialogs* dialogs) {
    installedDialogs = dialogs;
}

void warningOk(QWidget* parent, const QString& text) {
    Dialogs::instance().message(parent, QMessageBox::Warning, text, QMessageBox::Ok);
}

void warningCancel(QWidget* parent, const QString& text) {
    Dialogs::instance().message(parent, QMessageBox::Warning, text, QMessageBox::Cancel);
}

bool askYesNo(QWidget* parent, const QString& text) {
    return Dialogs::instance().message(parent, QMessageBox::Warning, text,
                                       QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
