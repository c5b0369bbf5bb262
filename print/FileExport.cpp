#include "FileExport.h"

int exportCoverPng(const QString &, const QString &, int, QTextStream &err)
{
    err << "discora: export is not available yet\n";
    return 2;
}

int exportCoverPdf(const QString &, const QString &, const PdfExportOptions &, QTextStream &err)
{
    err << "discora: export is not available yet\n";
    return 2;
}
