// Every column's shown text is searched, so the filter finds what the user sees.

#include "layout/LayoutFilterProxy.h"

#include "layout/LayoutRoles.h"

LayoutFilterProxy::LayoutFilterProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(layout_roles::Sort);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setSortLocaleAware(true);
    setDynamicSortFilter(true);
}

void LayoutFilterProxy::setFilterWords(const QString& text) {
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words == words_)
        return;
    words_ = words;
    invalidateRowsFilter();
}

void LayoutFilterProxy::setOnlyClashes(bool only) {
    if (only == onlyClashes_)
        return;
    onlyClashes_ = only;
    invalidateRowsFilter();
}

bool LayoutFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const QAbstractItemModel* source = sourceModel();
    if (onlyClashes_ && !source->index(sourceRow, 0, sourceParent).data(layout_roles::AnyClash).toBool())
        return false;
    if (words_.isEmpty())
        return true;
    QStringList cells;
    const int columns = source->columnCount(sourceParent);
    cells.reserve(columns);
    for (int column = 0; column < columns; ++column)
        cells.append(source->index(sourceRow, column, sourceParent).data(Qt::DisplayRole).toString());
    for (const QString& word : words_) {
        bool found = false;
        for (const QString& cell : cells) {
            if (cell.contains(word, Qt::CaseInsensitive)) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}
