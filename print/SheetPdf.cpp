#include "SheetPdf.h"

#include "render/DeviceContext.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {
constexpr int kPdfDpi = 600;

QPageLayout layoutOf(const PrintSheet &sheet)
{
    return QPageLayout(sheet.pageSize,
        sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}
} // namespace

bool writeSheetsPdf(
    const QString &path, const QString &title, const QList<PrintSheet> &sheets, QString &error)
{
    if (sheets.isEmpty()) {
        error = QStringLiteral("there is no page to write");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfDpi);
        writer.setCreator(QStringLiteral("Discora"));
        writer.setTitle(title);
        writer.setPageLayout(layoutOf(sheets.first()));
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = QStringLiteral("the PDF could not be started");
            return false;
        }
        DeviceContext dc(painter, writer.logicalDpiX(), writer.logicalDpiY());
        PageDevice device;
        device.dpi = dc.dpiX();
        for (qsizetype i = 0; i < sheets.size(); ++i) {
            if (i > 0) {
                writer.setPageLayout(layoutOf(sheets.at(i)));
                if (!writer.newPage()) {
                    painter.end();
                    error = QStringLiteral("a page could not be added");
                    return false;
                }
            }
            sheets.at(i).draw(dc, device);
        }
        if (!painter.end()) {
            error = QStringLiteral("the PDF could not be finished");
            return false;
        }
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}
