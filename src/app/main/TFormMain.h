#pragma once
// The main window: loads a firmware HEX file, shows its parameter grid and extra value, hands the
// firmware to its special editor and saves the patched file. Behind it stands one document
// (FirmwareDocument) with the firmware, its settings as in the file and as edited, and the undo
// history; the grid, the extra value and the editors are views of it. The window asks before edits
// would be lost, marks its title while something is not saved, and owns the layout of its client
// area as the editors' host.

#include "EditorHost.h"
#include "PanelEditor.h"
#include "image/Firmware.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class ButtonBox;
class FirmwareDocument;
class ImageBox;
class MainMenu;
class ParameterGridBox;
class RecentFiles;
class StatusPanelBar;
class ZusatzPanel;

namespace hq {
struct ApplyProblem;
}

class TFormMain : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 750;
    static constexpr int kMinimumHeight = 680; // the client area; the menu bar comes on top

    explicit TFormMain(QWidget* parent = nullptr);
    ~TFormMain() override;

    void addEditor(std::unique_ptr<PanelEditor> editor);

    // Loads `path` as if it had been chosen in the open dialog, without asking about unsaved changes
    // (the callers ask first). A file that cannot be read or holds no known firmware shows the reason
    // and leaves the window as it was; returns whether the file was loaded.
    bool loadFile(const QString& path);

    // The firmware as in its file (loaded or last saved), or null before the first load.
    const hq::Firmware* firmware() const;
    FirmwareDocument* document() const { return document_; }

    // Saves through the checks and questions of "HEX speichern"; false when refused or cancelled.
    bool save();
    // While something is not saved: asks "Speichern", "Verwerfen" or "Abbrechen"; true when the
    // edits may go (saved or discarded), false to keep them.
    bool maySwitchAway();

    // EditorHost.
    void showEditorArea(QWidget* area) override;
    void showStatusNote(const QString& text) override;
    void showManualPage(const QString& page) override;
    QWidget* panelParent() override;
    EditorRoom editorRoom() const override;
    EditorRoom makeRoom(QSize size) override;
    HouseMinimumControls houseMinimumControls() override;

    // Handlers.
    void btn_loadClick();
    void btn_saveClick();
    void btn_closeClick();
    void btn_infoClick();
    void btn_RGClick(int row);
    void gointoweb();
    void openRecent(const QString& path);
    void exportSettings();
    void importSettings();
    void takeOverSettings();
    void discardAllChanges();
    void showAbout();
    // "Drucken…" and "Als PDF speichern…": the settings sheet of what the window shows.
    void printSheet();
    void saveSheetAsPdf();
    // "Adressen ab hier fortlaufend": the shown rows after the focused one get the following addresses.
    void consecutiveAddresses();

    ParameterGridBox* grid() const { return grid_; }
    ZusatzPanel* zusatz() const { return zusatz_; }
    ButtonBox* buttons() const { return buttons_; }
    ImageBox* imageBox() const { return imageBox_; }
    StatusPanelBar* statusPanels() const { return status_; }
    MainMenu* mainMenu() const { return menu_; }
    RecentFiles* recentFiles() const { return recent_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Enter and Return click the focused push button; line edits and other controls keep them.
    void keyPressEvent(QKeyEvent* event) override;
    // Undo and redo keys belong to the window's history, also in a focused line edit.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int menuHeight() const;
    void resetLayout();
    // "HEX speichern", "Info" and the menu entries that serve a loaded firmware only.
    void enableFirmwareActions();
    void showFirmware(const QString& path);
    void showFileName(const QString& path);
    // Shows the document's state in the grid and the extra value.
    void showDocument();
    // The address help of every row (tooltips, warning marks) and the help line of the focused row.
    void showAddressHelp();
    void fillGrid();
    void focusProblem(const hq::ApplyProblem& problem);
    bool writeFile(const QString& path, const hq::Firmware& firmware);
    // Loads `path` after asking about unsaved changes.
    void openAfterAsking(const QString& path);
    // The file name the document's changes belong to, for questions.
    QString documentName() const;

    FirmwareDocument* document_;
    std::vector<std::unique_ptr<PanelEditor>> editors_;
    ParameterGridBox* grid_;
    ZusatzPanel* zusatz_;
    ButtonBox* buttons_;
    ImageBox* imageBox_;
    StatusPanelBar* status_;
    RecentFiles* recent_;
    MainMenu* menu_;
    bool showingDocument_ = false;          // the extra value's text is set from the document: no edit
    int focusedRow_ = 0;                    // the grid row that had the focus last; 0 for none
    QMetaObject::Connection focusFollower_; // moves the help line with the focus
};
