#include "MainMenu.h"

#include "Dialogs.h"
#include "help/ShowManual.h"
#include "layout/LayoutMenu.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace {

QAction* action(QMenu* menu, const QString& text, const QString& name, QKeySequence shortcut = {}) {
    auto* a = menu->addAction(text);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    return a;
}

} // namespace

MainMenu::MainMenu(QMainWindow* window, QUndoStack* stack) : QObject(window) {
    QMenuBar* bar = window->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu* file = bar->addMenu(tr("&Datei"));
    file->setObjectName(QStringLiteral("menu_datei"));
    open = action(file, tr("Öffnen…"), QStringLiteral("act_open"), QKeySequence::Open);
    recent = file->addMenu(tr("Zuletzt geöffnet"));
    recent->setObjectName(QStringLiteral("menu_recent"));
    openLayout = action(file, tr("Anlage öffnen…"), QStringLiteral("act_open_layout"),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    recentLayouts = file->addMenu(tr("Zuletzt geöffnete Anlagen"));
    recentLayouts->setObjectName(QStringLiteral("menu_recent_layouts"));
    save = action(file, tr("Speichern"), QStringLiteral("act_save"), QKeySequence::Save);
    file->addSeparator();
    exportSettings = action(file, tr("Einstellungen exportieren…"), QStringLiteral("act_export"));
    importSettings = action(file, tr("Einstellungen importieren…"), QStringLiteral("act_import"));
    takeOver =
        action(file, tr("Einstellungen aus anderer HEX-Datei übernehmen…"), QStringLiteral("act_takeover"));
    file->addSeparator();
    print = action(file, tr("Drucken…"), QStringLiteral("act_print"), QKeySequence::Print);
    pdf = action(file, tr("Als PDF speichern…"), QStringLiteral("act_pdf"));
    file->addSeparator();
    quit = action(file, tr("Beenden"), QStringLiteral("act_quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = bar->addMenu(tr("&Bearbeiten"));
    edit->setObjectName(QStringLiteral("menu_bearbeiten"));
    // The history's own actions; they keep today's captions and name the step they take back or do
    // again.
    undo = stack->createUndoAction(this);
    undo->setObjectName(QStringLiteral("act_undo"));
    undo->setShortcut(QKeySequence::Undo);
    redo = stack->createRedoAction(this);
    redo->setObjectName(QStringLiteral("act_redo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);
    auto name = [this, stack] {
        undo->setText(stack->canUndo() ? tr("Rückgängig: %1").arg(stack->undoText()) : tr("Rückgängig"));
        redo->setText(stack->canRedo() ? tr("Wiederherstellen: %1").arg(stack->redoText())
                                       : tr("Wiederherstellen"));
    };
    // Connected after the stack's own captions, so these win.
    connect(stack, &QUndoStack::undoTextChanged, this, name);
    connect(stack, &QUndoStack::redoTextChanged, this, name);
    connect(stack, &QUndoStack::canUndoChanged, this, name);
    connect(stack, &QUndoStack::canRedoChanged, this, name);
    name();
    edit->addSeparator();
    consecutiveAddresses =
        action(edit, tr("Adressen ab hier fortlaufend"), QStringLiteral("act_consecutive"));
    discardAll = action(edit, tr("Alle Änderungen verwerfen"), QStringLiteral("act_discard_all"));

    QMenu* help = bar->addMenu(tr("&Hilfe"));
    help->setObjectName(QStringLiteral("menu_hilfe"));
    manual = action(help, tr("Handbuch"), QStringLiteral("act_manual"), QKeySequence::HelpContents);
    info = action(help, tr("Info"), QStringLiteral("act_info"));
    about = action(help, tr("Über HEX Quendrabolt"), QStringLiteral("act_about"));

    connect(manual, &QAction::triggered, window, [window] { showManual(window); });
    // "Anlage öffnen…" and the recent layouts open layout windows.
    attachLayoutMenu(window, openLayout, recentLayouts);
    connect(about, &QAction::triggered, window, [window] {
        Dialogs::instance().message(
            window, QMessageBox::Information,
            tr("HEX Quendrabolt 0.41\n\n"
               "Konfiguriert die Firmware von Modellbahn-Dekodern im Intel-HEX-Format: Adressen, Rot/Grün, "
               "Funktions-Nummern, Zusatzwerte, Servo-Kurven und Lichtmuster ändern und als neue HEX-Datei "
               "speichern, die ein Programmiergerät in den PIC brennt.\n\n"
               "Lizenz: GNU GPL, Version 3 oder später\n%1")
                .arg(kWebPage),
            QMessageBox::Ok);
    });
    setRecentFiles({});
    setFirmwareLoaded(false);
}

void MainMenu::setFirmwareLoaded(bool loaded) {
    for (QAction* a :
         {save, exportSettings, importSettings, takeOver, print, pdf, discardAll, consecutiveAddresses, info})
        a->setEnabled(loaded);
}

void MainMenu::setRecentFiles(const QStringList& files) {
    recent->clear();
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files.at(i);
        QAction* entry =
            recent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(entry, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
    }
    recent->setEnabled(!files.isEmpty());
}
