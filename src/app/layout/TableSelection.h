#pragma once
// Keeps what a user had selected in a layout table across a rescan: the models are given a new
// snapshot whole, which forgets the selection, so the selected rows, the current cell and the
// scroll position are remembered by the rows' keys and put back where the rows still exist.

#include <QString>
#include <QStringList>

class QTableView;

class TableSelection {
public:
    // Remembers the selection of `view` (its model a proxy over a model with layout_roles::Key).
    static TableSelection of(const QTableView* view);
    // Selects the remembered rows that are still there and makes the current one visible.
    void restore(QTableView* view) const;

    bool isEmpty() const { return selected_.isEmpty() && current_.isEmpty(); }

private:
    QStringList selected_;
    QString current_;
    int currentColumn_ = 0;
};
