#pragma once
// Sorting and filtering of a layout table. The filter takes words: a row stays when every word is
// found (case aside) in one of its cells, so "dcc 17" or "bahnhof weiche" narrow the list step by
// step. Numbers sort as numbers. Optionally only rows that take part in a clash stay.

#include <QSortFilterProxyModel>
#include <QStringList>

class LayoutFilterProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit LayoutFilterProxy(QObject* parent = nullptr);

    void setFilterWords(const QString& text);
    void setOnlyClashes(bool only);
    bool onlyClashes() const { return onlyClashes_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QStringList words_;
    bool onlyClashes_ = false;
};
