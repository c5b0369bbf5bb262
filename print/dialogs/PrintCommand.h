#pragma once

#include "document/CoverDocument.h"
#include "print/PrintEngine.h"

#include <QString>
#include <optional>

class QWidget;

// The main window's Print command: the Print dialog, then the print run on
// the chosen papers, then the run's messages. The cover is only read, and
// the window's previews are never touched.
class PrintCommand {
public:
    // `coverPath`: where the cover was saved (empty when it never was), for
    // the name "Save as PDF..." proposes.
    PrintCommand(QWidget *parent, const CoverDocument &document, const QString &coverPath);

    // True when the dialog was confirmed (printed or saved as PDF); then
    // discLabelPosition() holds the disc-label choice.
    bool run();

    DiscLabelPosition discLabelPosition() const { return m_position; }
    // The print run, when there was one.
    const std::optional<PrintReport> &report() const { return m_report; }

private:
    QWidget *m_parent;
    const CoverDocument &m_document;
    QString m_coverPath;
    DiscLabelPosition m_position = DiscLabelPosition::Top;
    std::optional<PrintReport> m_report;
};
