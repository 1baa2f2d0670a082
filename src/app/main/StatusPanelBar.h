#pragma once
// StatusBar1 with its five panels: 0 hardware mark, 1 firmware version, 2 protocol ("Mot", "DCC",
// "ohne"), 3 firmware caption, 4 file name.

#include <QStatusBar>

#include <array>

class QLabel;

class StatusPanelBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 5;
    enum Panel { HardwareMark = 0, Version = 1, Protocol = 2, Caption = 3, FileName = 4 };

    explicit StatusPanelBar(QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    QLabel* panel(int panel) const { return panels_.at(panel); }

private:
    std::array<QLabel*, kPanelCount> panels_{};
};
