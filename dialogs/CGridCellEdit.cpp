#include "CGridCellEdit.h"

#include <QLineEdit>

QWidget *CGridCellEdit::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    auto *edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setFont(option.font);
    return edit;
}

void CGridCellEdit::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    const QString text = oneLine(edit->text());
    // Writing the same text again would still count as an edit.
    if (model->data(index, Qt::EditRole).toString() != text)
        model->setData(index, text, Qt::EditRole);
}

QString CGridCellEdit::oneLine(const QString &text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar &c : line) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return line;
}
