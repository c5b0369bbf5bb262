#include "RecordingPrinter.h"

#include <cmath>

namespace testsupport {

PrinterDevice::Availability RecordingPrinter::availability()
{
    ++availabilityQueries;
    return available;
}

bool RecordingPrinter::choosePrinter(const DialogPreset &preset)
{
    dialogPresets << preset;
    m_chosen = dialogOrientation.value_or(preset.orientation);
    return acceptDialog;
}

QPageLayout::Orientation RecordingPrinter::chosenOrientation() const
{
    return m_chosen;
}

DeviceContext *RecordingPrinter::beginJob(const JobSetup &setup)
{
    const QPageLayout::Orientation orientation = setup.orientation;
    Job job;
    job.title = setup.title;
    job.orientation = orientation;
    job.paper = setup.paper;
    job.device = {dpi, physX, physY};
    jobs << job;
    if (failBegin)
        return nullptr;
    QSize area(1, 1);
    if (keepPages) {
        const QSizeF paper = setup.paper ? setup.paper->size(QPageSize::Inch) : paperInches;
        const bool landscape = orientation == QPageLayout::Landscape;
        const double w = landscape ? paper.height() : paper.width();
        const double h = landscape ? paper.width() : paper.height();
        area = QSize(int(std::trunc(w * dpi)) - 2 * physX, int(std::trunc(h * dpi)) - 2 * physY);
    }
    m_canvas = QImage(area, QImage::Format_RGB32);
    m_canvas.fill(Qt::white);
    const int dpm = int(std::lround(dpi / 0.0254));
    m_canvas.setDotsPerMeterX(dpm);
    m_canvas.setDotsPerMeterY(dpm);
    m_painter = std::make_unique<QPainter>(&m_canvas);
    m_dc = std::make_unique<DeviceContext>(*m_painter, dpi, dpi);
    return m_dc.get();
}

PageDevice RecordingPrinter::pageDevice() const
{
    return {dpi, physX, physY};
}

bool RecordingPrinter::endPage()
{
    m_dc.reset();
    if (m_painter)
        m_painter->end();
    m_painter.reset();
    const qsizetype index = jobs.size() - 1;
    if (keepPages && index >= 0)
        jobs[index].page = m_canvas;
    return index >= pageEnds.size() || pageEnds.at(index);
}

PrinterDevice::Submission RecordingPrinter::endJob()
{
    const Submission answer
        = m_submitted < submissions.size() ? submissions.at(m_submitted) : Submission{};
    ++m_submitted;
    if (!jobs.isEmpty()) {
        jobs.last().finished = true;
        jobs.last().accepted = answer.accepted;
    }
    return answer;
}

void RecordingPrinter::abortJob()
{
    if (!jobs.isEmpty())
        jobs.last().aborted = true;
}

} // namespace testsupport
