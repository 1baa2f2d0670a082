#pragma once
// The main window: loads a firmware HEX file, shows its parameter grid and extra value, hands the
// firmware to its special editor and saves the patched file. All decisions are the core's; the
// handlers read the controls, call the core and show the result. As the editors' host it owns the
// layout of its client area: where their panels go and how the button row makes way for them.

#include "EditorHost.h"
#include "PanelEditor.h"
#include "image/Firmware.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class ButtonBox;
class ImageBox;
class ParameterGridBox;
class StatusPanelBar;
class ZusatzPanel;

namespace hq {
struct SaveProblem;
}

class TFormMain : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 750;
    static constexpr int kMinimumHeight = 630;

    explicit TFormMain(QWidget* parent = nullptr);
    ~TFormMain() override;

    // Editors are asked about pending changes in the order they were added.
    void addEditor(std::unique_ptr<PanelEditor> editor);

    // Loads `path` as if it had been chosen in the open dialog. A file that cannot be read or holds no
    // known firmware shows the reason and leaves the window as it was; returns whether the file was
    // loaded.
    bool loadFile(const QString& path);

    // The loaded firmware, or null before the first load.
    const hq::Firmware* firmware() const { return firmware_.get(); }

    // EditorHost.
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

    ParameterGridBox* grid() const { return grid_; }
    ZusatzPanel* zusatz() const { return zusatz_; }
    ButtonBox* buttons() const { return buttons_; }
    ImageBox* imageBox() const { return imageBox_; }
    StatusPanelBar* statusPanels() const { return status_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Enter and Return click the focused push button; line edits and other controls keep them.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void resetLayout();
    // "HEX speichern" and "Info" serve a loaded firmware only.
    void enableFirmwareButtons();
    void showFirmware(const QString& path);
    void showFileName(const QString& path);
    void fillGrid();
    void colourAddresses();
    bool takeOverPendingChanges();
    void focusProblem(const hq::SaveProblem& problem);
    bool writeFile(const QString& path);

    std::unique_ptr<hq::Firmware> firmware_;
    std::vector<std::unique_ptr<PanelEditor>> editors_;
    ParameterGridBox* grid_;
    ZusatzPanel* zusatz_;
    ButtonBox* buttons_;
    ImageBox* imageBox_;
    StatusPanelBar* status_;
};
