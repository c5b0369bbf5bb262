#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// What one print job asks of the spooler, in the names CUPS gives its
// options: the choices made in the printer dialog, the job's own paper and
// orientation, and never any scaling of the page, which would move the faces
// off their labels.
struct SpoolerJob {
    // As the printer dialog's duplex choice (Auto: by the orientation).
    enum class Duplex { None, Auto, LongSide, ShortSide };

    // The options set in the printer dialog: name, value, name, value ...
    QStringList dialogOptions;
    int copies = 1;
    bool collate = false;
    Duplex duplex = Duplex::None;
    QString media; // the paper as the printer names it ("A4", "Letter")
    bool landscape = false;
};

using SpoolerOptions = QList<QPair<QString, QString>>;

// The options of `job`, each name once.
SpoolerOptions spoolerOptions(const SpoolerJob &job);
