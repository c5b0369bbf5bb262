#include "CEditGrid.h"

#include "CGridCellEdit.h"
#include "document/DisplayText.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {
// The bytes a cell was given, beside the text it shows.
constexpr int kBytesRole = Qt::UserRole;
} // namespace

CEditGrid::CEditGrid(QWidget *parent)
    : QTableWidget(parent)
{
    setColumnCount(4);
    setItemDelegate(new CGridCellEdit(this));
    // Clicks and Enter begin editing here; F2 as everywhere else.
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Tab leaves the grid for the dialog's buttons.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Column 0 holds only what row insertion puts there.
    setColumnHidden(0, true);
}

int CEditGrid::twipsToPixels(int twips, int dpi)
{
    return int(qint64(twips) * dpi / 1440);
}

void CEditGrid::setColumnWidthTwips(int column, int twips)
{
    setColumnWidth(column, twipsToPixels(twips, logicalDpiX()));
}

QTableWidgetItem *CEditGrid::itemAt(int row, int column)
{
    QTableWidgetItem *cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, column, cell);
    }
    return cell;
}

QString CEditGrid::cellText(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

QByteArray CEditGrid::cellBytes(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    if (!cell)
        return {};
    const QVariant given = cell->data(kBytesRole);
    if (given.isValid()) {
        const QByteArray bytes = given.toByteArray();
        if (displayText(bytes) == cell->text())
            return bytes;
    }
    return storedText(cell->text());
}

void CEditGrid::setCellBytes(int row, int column, const QByteArray &bytes)
{
    QTableWidgetItem *cell = itemAt(row, column);
    cell->setText(displayText(bytes));
    cell->setData(kBytesRole, bytes);
}

void CEditGrid::setCellText(int row, int column, const QString &text)
{
    QTableWidgetItem *cell = itemAt(row, column);
    cell->setText(text);
    cell->setData(kBytesRole, QVariant());
}

void CEditGrid::insertEmptyRow(int row)
{
    insertRow(row);
    setCellText(row, 0, QStringLiteral("New Row"));
}

bool CEditGrid::isEditing() const
{
    return state() == QAbstractItemView::EditingState;
}

void CEditGrid::beginEditing()
{
    const QModelIndex index = currentIndex();
    if (!index.isValid() || index.column() == 0 || isEditing())
        return;
    itemAt(index.row(), index.column());
    edit(index);
}

void CEditGrid::endEditing()
{
    if (!isEditing())
        return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void CEditGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // While editing, this is the editor's Enter coming up to the grid:
        // the editor has already stored its text and is closing.
        if (!isEditing())
            beginEditing();
        event->accept();
        return;
    case Qt::Key_Escape:
        // The editor drops its edit itself; the grid keeps the key from
        // cancelling the dialog, so a second Escape loses nothing.
        event->accept();
        return;
    default: break;
    }
    QTableWidget::keyPressEvent(event);
}

void CEditGrid::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index == currentIndex())
        beginEditing();
}
