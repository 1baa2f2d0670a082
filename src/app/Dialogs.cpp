#include "Dialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

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
        {QMessageBox::Ok, QStringLiteral("OK")},          {QMessageBox::Cancel, QStringLiteral("Abbrechen")},
        {QMessageBox::Yes, QStringLiteral("Ja")},         {QMessageBox::No, QStringLiteral("Nein")},
        {QMessageBox::Save, QStringLiteral("Speichern")}, {QMessageBox::Discard, QStringLiteral("Verwerfen")},
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
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Öffnen"), Dialogs::startFolder(), filter);
    }

    QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                         const QString& proposedName) override {
        QFileDialog dialog(parent, QStringLiteral("Speichern unter"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(filter);
        dialog.setDefaultSuffix(defaultSuffix);
        dialog.setDirectory(Dialogs::startFolder());
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
QString folderToStartIn;

} // namespace

Dialogs& Dialogs::instance() {
    return installedDialogs ? *installedDialogs : realDialogs();
}

void Dialogs::install(Dialogs* dialogs) {
    installedDialogs = dialogs;
}

void Dialogs::setStartFolder(const QString& folder) {
    folderToStartIn = folder;
}

QString Dialogs::startFolder() {
    return folderToStartIn;
}

bool Dialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    return dialog.exec() == QDialog::Accepted;
}

QString Dialogs::existingFolder(QWidget* parent, const QString& title) {
    return QFileDialog::getExistingDirectory(parent, title, Dialogs::startFolder());
}

bool Dialogs::confirmList(QWidget* parent, const QString& title, const QString& intro,
                          const QStringList& lines) {
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(intro, &dialog);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("changeList"));
    list->addItems(lines);
    // Room for a line of about 80 characters and a dozen changes before the list scrolls; a longer
    // line (a value the save would refuse, with the reason) wraps instead of hiding its end.
    list->setWordWrap(true);
    list->setTextElideMode(Qt::ElideNone);
    list->setResizeMode(QListView::Adjust);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setMinimumSize(list->fontMetrics().averageCharWidth() * 80, list->fontMetrics().lineSpacing() * 12);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("Übernehmen"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted;
}

void warningOk(QWidget* parent, const QString& text) {
    Dialogs::instance().message(parent, QMessageBox::Warning, text, QMessageBox::Ok);
}

void warningCancel(QWidget* parent, const QString& text) {
    Dialogs::instance().message(parent, QMessageBox::Warning, text, QMessageBox::Cancel);
}

QMessageBox::StandardButton askSaveDiscardCancel(QWidget* parent, const QString& text) {
    return Dialogs::instance().message(parent, QMessageBox::Warning, text,
                                       QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
}

bool askSaveCancel(QWidget* parent, const QString& text) {
    return Dialogs::instance().message(parent, QMessageBox::Warning, text,
                                       QMessageBox::Save | QMessageBox::Cancel) == QMessageBox::Save;
}

bool askYesNo(QWidget* parent, const QString& text) {
    return Dialogs::instance().message(parent, QMessageBox::Warning, text,
                                       QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
