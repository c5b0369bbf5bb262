#include "CoverInfo.h"

int printCoverInfo(const QString &coverPath, QTextStream &out, QTextStream &err)
{
    err << "discora: --info is not available yet\n";
    return 2;
}
