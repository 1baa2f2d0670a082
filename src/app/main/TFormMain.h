#pragma once
// The main window: arranges the views of one document (FirmwareDocument) with Qt layouts — the
// parameter grid top left with the flags box "Art" at its bottom, the button row and the picture box
// below it, and right of the grid the extra-value panel or the editor area of a firmware's special
// editor — and the menu and the status bar. What opens, asks and saves files is its file controller,
// the address help its presenter; the window follows the document for its title, status bar and
// enabled actions, and is the editors' host.

#include "EditorHost.h"
#include "PanelEditor.h"
#include "image/Firmware.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class AddressHelpPresenter;
class ButtonBox;
class ClientArea;
class DocumentChange;
class EditorArea;
class FileController;
class FirmwareDocument;
class ImageBox;
class MainMenu;
class ParameterGridBox;
class SettingsTransfer;
class StatusPanelBar;
class ZusatzPanel;

namespace hq {
enum class FocusField;
}

class TFormMain : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 750;
    static constexpr int kMinimumHeight = 680; // the client area; the menu bar comes on top

    explicit TFormMain(QWidget* parent = nullptr);
    ~TFormMain() override;

    void addEditor(std::unique_ptr<PanelEditor> editor);
    // Loads `path` without asking (see FileController::loadFile); returns whether it was loaded.
    bool loadFile(const QString& path);
    // The firmware as in its file (loaded or last saved), or null before the first load.
    const hq::Firmware* firmware() const;

    FirmwareDocument* document() const { return document_; }
    FileController* files() const { return files_; }
    ParameterGridBox* grid() const { return grid_; }
    ZusatzPanel* zusatz() const { return zusatz_; }
    ButtonBox* buttons() const { return buttons_; }
    ImageBox* imageBox() const { return imageBox_; }
    MainMenu* mainMenu() const { return menu_; }

    // EditorHost.
    void showEditorArea(QWidget* area) override;
    void showStatusNote(const QString& text) override;
    void showManualPage(const QString& page) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Enter and Return click the focused push button; line edits and other controls keep them.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildClientArea();
    void connectMenu();
    void resetEditors();
    // A new firmware: the editor it names set up, the views arranged for it.
    void showFirmware();
    void showChange(const DocumentChange& change);
    void showLoadedFile();
    // The editor area or the extra-value panel right of the grid.
    void arrange();
    // An editor asked for room outside a load: the window is arranged once the asking is done.
    void makeRoomLater();
    // The window as small as its views allow (at least its minimum size); `shrink` false only grows it.
    void fitToContents(bool shrink);
    void focusProblem(hq::FocusField field, int row);

    FirmwareDocument* document_;
    std::vector<std::unique_ptr<PanelEditor>> editors_;
    ParameterGridBox* grid_ = nullptr;
    ZusatzPanel* zusatz_ = nullptr;
    ButtonBox* buttons_ = nullptr;
    ImageBox* imageBox_ = nullptr;
    ClientArea* client_ = nullptr;
    EditorArea* area_ = nullptr;
    StatusPanelBar* status_;
    MainMenu* menu_ = nullptr;
    FileController* files_ = nullptr;
    SettingsTransfer* transfer_ = nullptr;
    AddressHelpPresenter* help_ = nullptr;
    bool settingUp_ = false;   // an editor is being set up for a loaded firmware
    bool roomPending_ = false; // an editor asked for room; the window follows soon
    bool fitted_ = false;      // the window has been sized for its views
};
