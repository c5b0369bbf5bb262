#pragma once

#include "print/PrinterDevice.h"
#include "render/DeviceContext.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QSizeF>
#include <memory>
#include <optional>

namespace testsupport {

// A printer for tests: scripted like a person at the printer dialog, it
// records the jobs it is given and, when asked to, keeps each page as an
// image of its printable area.
class RecordingPrinter : public PrinterDevice {
public:
    struct Job {
        QString title;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        std::optional<QPageSize> paper; // none: the dialog's paper
        PageDevice device;
        bool finished = false; // handed to the spooler
        bool accepted = false; // and taken by it
        bool aborted = false;
        QImage page; // with keepPages
    };

    // --- the printer and the person at its dialog ---------------------------
    Availability available = Availability::Default;
    bool acceptDialog = true;
    // What the dialog is left with; none: the preset unchanged.
    std::optional<QPageLayout::Orientation> dialogOrientation;
    int dpi = 100;
    int physX = 0;
    int physY = 0;
    QSizeF paperInches{8.27, 11.69}; // portrait A4
    // endPage() results, job by job; a job beyond the list ends well.
    QList<bool> pageEnds;
    // What the spooler says to each finished job, in order; a job beyond
    // the list is taken.
    QList<Submission> submissions;
    bool failBegin = false;
    bool keepPages = false; // images of the printable area (keep dpi low)

    // --- what happened --------------------------------------------------------
    int availabilityQueries = 0;
    QList<DialogPreset> dialogPresets;
    QList<Job> jobs;

    Availability availability() override;
    bool choosePrinter(const DialogPreset &preset) override;
    QPageLayout::Orientation chosenOrientation() const override;
    DeviceContext *beginJob(const JobSetup &setup) override;
    PageDevice pageDevice() const override;
    bool endPage() override;
    Submission endJob() override;
    void abortJob() override;

private:
    QPageLayout::Orientation m_chosen = QPageLayout::Portrait;
    int m_submitted = 0;
    QImage m_canvas;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<DeviceContext> m_dc;
};

} // namespace testsupport
