#include "CupsSpooler.h"

#include <QFile>
#include <cups/cups.h>

PrinterDevice::Submission submitToCups(
    const QString &queue, const QString &file, const QString &title, const SpoolerOptions &options)
{
    cups_option_t *cupsOptions = nullptr;
    int count = 0;
    for (const auto &[name, value] : options)
        count = cupsAddOption(
            name.toUtf8().constData(), value.toUtf8().constData(), count, &cupsOptions);
    // The scheduler knows the queue without the instance; the instance's
    // options came into `options` through the printer dialog.
    const QByteArray destination = queue.section(QLatin1Char('/'), 0, 0).toUtf8();
    const int jobId = cupsPrintFile2(CUPS_HTTP_DEFAULT, destination.constData(),
        QFile::encodeName(file).constData(), title.toUtf8().constData(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (jobId > 0)
        return {};
    QString reason = QString::fromUtf8(cupsLastErrorString());
    if (reason.isEmpty())
        reason = QStringLiteral("the print job was not accepted");
    return {false, reason};
}
