#pragma once

#include <QStyledItemDelegate>

// Makes the field that edits a grid cell in place and stores what it holds:
// a cell is one line, so line breaks that come in with pasted text become
// spaces.
class CGridCellEdit : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void setModelData(
        QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

    static QString oneLine(const QString &text);
};
