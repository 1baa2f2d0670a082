#pragma once
// StatusBar1 with its five panels: 0 hardware mark, 1 firmware version, 2 protocol ("Mot", "DCC",
// "ohne"), 3 firmware caption, 4 file name. Written from the document after every load and save; the
// window never reads it back. Short notes (why a stroke changed nothing, a save not done) show over
// the panels for a few seconds.

#include <QStatusBar>

#include <array>

class QLabel;

namespace hq {
struct Firmware;
}

class StatusPanelBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 5;
    enum Panel { HardwareMark = 0, Version = 1, Protocol = 2, Caption = 3, FileName = 4 };

    explicit StatusPanelBar(QWidget* parent = nullptr);

    // The firmware loaded or saved as `path`.
    void showFirmware(const hq::Firmware& firmware, const QString& path);
    QLabel* panel(int panel) const { return panels_.at(panel); }

private:
    std::array<QLabel*, kPanelCount> panels_{};
};
