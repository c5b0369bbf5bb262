#include "CEditGrid.h"

#include "CGridCellEdit.h"
#include "document/DisplayText.h"
#include "document/PastedTracks.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace {
// The bytes a cell was given, beside the text it shows.
constexpr int kBytesRole = Qt::UserRole;
constexpr int kNumberColumn = 1;
constexpr int kTitleColumn = 2;
constexpr int kLengthColumn = 3;
} // namespace

CEditGrid::CEditGrid(QWidget *parent)
    : QTableWidget(parent)
{
    setColumnCount(4);
    setItemDelegate(new CGridCellEdit(this));
    // Clicks and Enter begin editing here; F2 as everywhere else, and
    // typing, as in a spreadsheet.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Tab walks the titles and lengths; it leaves the grid before the first
    // title and after an empty last row (moveCursor).
    setTabKeyNavigation(true);
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
    const bool alt = event->modifiers() & Qt::AltModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // While editing, this is the editor's Enter coming up to the grid:
        // the edit is stored and the row below becomes current.
        if (isEditing()) {
            // The editor stores its text and closes once this key is
            // handled; the move waits for that.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    endEditing();
                    const int below = rowBelow(currentRow());
                    if (below >= 0)
                        setCurrentCell(below, currentColumn());
                },
                Qt::QueuedConnection);
        } else {
            beginEditing();
        }
        event->accept();
        return;
    case Qt::Key_Escape:
        // The editor drops its edit itself; the grid keeps the key from
        // cancelling the dialog, so a second Escape loses nothing.
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (alt && !isEditing()) {
            moveSelectedRows(event->key() == Qt::Key_Up ? -1 : 1);
            event->accept();
            return;
        }
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (!isEditing()) {
            clearSelectedCells();
            event->accept();
            return;
        }
        break;
    default: break;
    }
    if (event->matches(QKeySequence::Paste) && !isEditing()) {
        pasteText(QApplication::clipboard()->text());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

QModelIndex CEditGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action != MoveNext && action != MovePrevious)
        return QTableWidget::moveCursor(action, modifiers);
    const int row = qMax(currentRow(), 0);
    const int column = currentColumn();
    if (action == MovePrevious) {
        if (column > kTitleColumn)
            return model()->index(row, kTitleColumn);
        if (row > 0)
            return model()->index(row - 1, kLengthColumn);
        return {};
    }
    if (rowCount() == 0)
        return {};
    if (column < kLengthColumn)
        return model()->index(row, column < kTitleColumn ? kTitleColumn : kLengthColumn);
    const int below = rowBelow(row);
    return below < 0 ? QModelIndex() : model()->index(below, kTitleColumn);
}

int CEditGrid::rowBelow(int row)
{
    if (row + 1 < rowCount())
        return row + 1;
    if (row < 0 || !rowHasContent(row))
        return -1;
    insertEmptyRow(row + 1);
    Q_EMIT rowsChanged();
    return row + 1;
}

bool CEditGrid::rowHasContent(int row) const
{
    return !cellText(row, kTitleColumn).trimmed().isEmpty()
        || !cellText(row, kLengthColumn).trimmed().isEmpty();
}

QList<int> CEditGrid::selectedRowList() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows << index.row();
    if (rows.isEmpty() && currentRow() >= 0)
        rows << currentRow();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void CEditGrid::swapRows(int a, int b)
{
    for (int column = 0; column < columnCount(); ++column) {
        QTableWidgetItem *first = takeItem(a, column);
        QTableWidgetItem *second = takeItem(b, column);
        setItem(a, column, second);
        setItem(b, column, first);
    }
}

void CEditGrid::moveSelectedRows(int delta)
{
    endEditing();
    QList<int> rows = selectedRowList();
    if (rows.isEmpty() || (delta < 0 && rows.first() == 0)
        || (delta > 0 && rows.last() == rowCount() - 1))
        return;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    const int current = currentRow(), column = currentColumn();
    if (delta > 0)
        std::reverse(rows.begin(), rows.end());
    for (int row : std::as_const(rows))
        swapRows(row, row + delta);
    setCurrentCell(current + delta, column);
    QItemSelection moved;
    for (const QModelIndex &index : selected) {
        const QModelIndex to = model()->index(index.row() + delta, index.column());
        moved.select(to, to);
    }
    if (!moved.isEmpty())
        selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect);
    Q_EMIT rowsChanged();
}

void CEditGrid::clearSelectedCells()
{
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid())
        cells << currentIndex();
    for (const QModelIndex &index : std::as_const(cells)) {
        if (index.column() > 0 && !cellText(index.row(), index.column()).isEmpty())
            setCellText(index.row(), index.column(), QString());
    }
}

void CEditGrid::pasteText(const QString &text)
{
    endEditing();
    if (!PastedTracks::isRows(text)) {
        if (currentColumn() > 0 && currentRow() >= 0)
            setCellText(currentRow(), currentColumn(), CGridCellEdit::oneLine(text).trimmed());
        return;
    }
    const QList<QStringList> rows = PastedTracks::parse(text);
    if (rows.isEmpty())
        return;
    const int first = qMax(currentRow(), 0);
    for (int i = 0; i < rows.size(); ++i) {
        const int row = first + i;
        if (row >= rowCount())
            insertEmptyRow(row);
        for (int column = kNumberColumn; column <= kLengthColumn; ++column)
            setCellText(row, column, rows[i][column - 1]);
    }
    setCurrentCell(first + int(rows.size()) - 1, kTitleColumn);
    Q_EMIT rowsChanged();
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
