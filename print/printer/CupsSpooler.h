#pragma once

#include "print/PrinterDevice.h"
#include "print/SpoolerOptions.h"

#include <QString>

// Hands `file` (a finished PDF) to CUPS as one job named `title` on `queue`
// (a printer as Qt names it: "name" or "name/instance"), with `options`. The
// job counts as taken only when the scheduler answers with its job id;
// otherwise the reason is the scheduler's. The file may be removed as soon
// as this returns: its content has been sent.
PrinterDevice::Submission submitToCups(
    const QString &queue, const QString &file, const QString &title, const SpoolerOptions &options);
