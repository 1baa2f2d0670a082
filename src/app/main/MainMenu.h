#pragma once
// The window's menu bar: "Datei", "Bearbeiten", "Hilfe". The actions carry texts, shortcuts and their
// enabled state, and the window connects them to its handlers; undo and redo are the history's own
// actions, and "Handbuch" and "Über HEX Quendrabolt" show the manual and the program's box.

#include <QObject>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QUndoStack;

class MainMenu : public QObject {
    Q_OBJECT
public:
    static inline const QString kWebPage = QStringLiteral("https://hexquendrabolt.example.org/");

    // Builds the menu bar of `window`; undo and redo follow `stack`.
    MainMenu(QMainWindow* window, QUndoStack* stack);

    // Datei
    QAction* open;
    QMenu* recent;
    QAction* openLayout;  // "Anlage öffnen…": a layout folder in a window of its own
    QMenu* recentLayouts; // "Zuletzt geöffnete Anlagen"
    QAction* save;
    QAction* exportSettings;
    QAction* importSettings;
    QAction* takeOver;
    QAction* print;
    QAction* pdf;
    QAction* quit;
    // Bearbeiten
    QAction* undo;
    QAction* redo;
    QAction* discardAll;
    QAction* consecutiveAddresses;
    // Hilfe
    QAction* manual;
    QAction* info;
    QAction* about;

    // Enables what needs a recognised firmware.
    void setFirmwareLoaded(bool loaded);
    // Fills "Zuletzt geöffnet"; `openRecent` is called with the chosen file.
    void setRecentFiles(const QStringList& files);

signals:
    void recentFileChosen(const QString& path);
};
