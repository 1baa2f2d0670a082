#pragma once
// The notice an editor shows above its panels when a table block it edits holds code rather than
// table values (a word that is no retlw): the block stays as the file holds it, so the editor only
// shows it. Hidden while no block is guarded.

#include "encode/TableGuard.h"

#include <QLabel>

#include <vector>

class GuardNotice : public QLabel {
    Q_OBJECT
public:
    explicit GuardNotice(QWidget* parent = nullptr);

    // Shows the reasons of `blocks`, or hides the notice when there are none.
    void showBlocks(const std::vector<hq::GuardedBlock>& blocks);
    bool guards() const { return guards_; }

private:
    bool guards_ = false;
};
