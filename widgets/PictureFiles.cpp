#include "PictureFiles.h"

#include "UiHost.h"

QStringList pictureFileFilters()
{
    return {
        QStringLiteral("All (*.jpg *.jpeg *.gif *.bmp *.png *.tif *.tiff *.ico)"),
        QStringLiteral("JPEG Images (*.jpg *.jpeg)"),
        QStringLiteral("Gif Images (*.gif)"),
        QStringLiteral("Bitmap Images (*.bmp)"),
        QStringLiteral("PNG Images (*.png)"),
        QStringLiteral("Tif Images (*.tif *.tiff)"),
        QStringLiteral("Icon Images (*.ico)"),
    };
}

QString pictureFileFilter()
{
    return pictureFileFilters().join(QStringLiteral(";;"));
}

QString askForPictureFile(QWidget *parent, const QString &start)
{
    return UiHost::instance().openFileName(
        parent, QStringLiteral("Open"), start, pictureFileFilter());
}
