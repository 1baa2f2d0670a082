// Rows are found by key in one pass over the view's model.

#include "layout/TableSelection.h"

#include "layout/LayoutRoles.h"

#include <QHash>
#include <QItemSelectionModel>
#include <QTableView>

TableSelection TableSelection::of(const QTableView* view) {
    TableSelection selection;
    const QItemSelectionModel* model = view->selectionModel();
    if (model == nullptr)
        return selection;
    for (const QModelIndex& row : model->selectedRows())
        selection.selected_.append(row.data(layout_roles::Key).toString());
    const QModelIndex current = model->currentIndex();
    if (current.isValid()) {
        selection.current_ = current.siblingAtColumn(0).data(layout_roles::Key).toString();
        selection.currentColumn_ = current.column();
    }
    return selection;
}

void TableSelection::restore(QTableView* view) const {
    QAbstractItemModel* model = view->model();
    QItemSelectionModel* selectionModel = view->selectionModel();
    if (model == nullptr || selectionModel == nullptr || isEmpty())
        return;
    QHash<QString, int> rows;
    const int count = model->rowCount();
    for (int row = 0; row < count; ++row)
        rows.insert(model->index(row, 0).data(layout_roles::Key).toString(), row);
    QItemSelection selection;
    for (const QString& key : selected_) {
        if (auto found = rows.constFind(key); found != rows.constEnd())
            selection.select(model->index(*found, 0), model->index(*found, model->columnCount() - 1));
    }
    if (auto found = rows.constFind(current_); found != rows.constEnd()) {
        const QModelIndex current = model->index(*found, currentColumn_);
        selectionModel->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        view->scrollTo(current);
    }
    selectionModel->select(selection, QItemSelectionModel::ClearAndSelect);
}
