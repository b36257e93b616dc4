#include "gui/platform/ListBox.h"

#include <QMouseEvent>

namespace wareloom {

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
}

int ListBox::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    const int before = selectedRow();
    QListWidget::mousePressEvent(event);
    const int after = selectedRow();
    // A click on the line already selected changes nothing, yet asks again.
    if (event->button() == Qt::LeftButton && after >= 0 &&
        row(itemAt(event->position().toPoint())) == after)
        Q_EMIT selectionChangedByUser();
    else if (after != before && after >= 0)
        Q_EMIT selectionChangedByUser();
}

void ListBox::mouseMoveEvent(QMouseEvent* event)
{
    const int before = selectedRow();
    QListWidget::mouseMoveEvent(event);
    if (selectedRow() != before && selectedRow() >= 0)
        Q_EMIT selectionChangedByUser();
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = selectedRow();
    QListWidget::keyPressEvent(event);
    if (selectedRow() != before && selectedRow() >= 0)
        Q_EMIT selectionChangedByUser();
}

} // namespace wareloom
