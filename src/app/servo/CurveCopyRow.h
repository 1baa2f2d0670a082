#pragma once
// The row with the servo curve buttons "von #1" to "von #4" (copy that curve onto the selected one;
// the selected curve's own button is disabled) and "übernehmen" / "verwerfen" for the whole working
// copy ("übernehmen" is enabled while there is something to take over).

#include <QWidget>

#include <array>

class QPushButton;

class CurveCopyRow : public QWidget {
    Q_OBJECT
public:
    explicit CurveCopyRow(QWidget* parent = nullptr);

    // The copy buttons for `curve` selected.
    void showSelected(int curve);
    void setAcceptEnabled(bool enabled);
    // Copies are offered only while the curves may be changed.
    void setCopiesAllowed(bool allowed);

    QPushButton* acceptButton() const { return accept_; }
    QPushButton* discardButton() const { return discard_; }

signals:
    void copyRequested(int from);
    void acceptRequested();
    void discardRequested();

private:
    std::array<QPushButton*, 4> copies_{};
    QPushButton* accept_;
    QPushButton* discard_;
    bool copiesAllowed_ = true;
    int selected_ = 1;
};
