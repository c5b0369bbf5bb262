#include "TrackCellScanner.h"

#include "TrackListing.h"

namespace {
constexpr qsizetype kOpenLength = sizeof(kDelimOpen) - 1;

qsizetype budgetFor(qsizetype size)
{
    return 2 * size + (qsizetype(1) << 16);
}
} // namespace

TrackCellScanner::TrackCellScanner(const QByteArray &encoded)
    : m_bytes(&encoded)
    , m_size(encoded.size())
    , m_budget(budgetFor(encoded.size()))
{
}

TrackCellScanner::TrackCellScanner(const QString &text)
    : m_text(&text)
    , m_size(text.size())
    , m_budget(budgetFor(text.size()))
{
}

qsizetype TrackCellScanner::find(bool closing, qsizetype from) const
{
    const char *marker = closing ? kDelimClose : kDelimOpen;
    if (m_bytes)
        return m_bytes->indexOf(marker, from);
    return m_text->indexOf(QLatin1StringView(marker), from);
}

bool TrackCellScanner::next(Cell &cell)
{
    if (m_done)
        return false;
    const qsizetype open = find(false, m_offset);
    if (open < 0) {
        m_done = true;
        return false;
    }
    const qsizetype start = open + kOpenLength;
    if (!m_noMoreClose && m_close < open) {
        m_close = find(true, open);
        m_noMoreClose = m_close < 0;
    }
    const qsizetype end = m_noMoreClose ? m_size : m_close;
    // A closing marker before the cell's text starts (overlapping the
    // opening one) leaves the cell empty.
    const qsizetype size = end > start ? end - start : 0;
    m_decoded += size;
    if (m_decoded > m_budget) {
        m_done = true;
        return false;
    }
    cell = {start, size, m_column};
    m_column = (m_column + 1) % 3;
    m_offset = start;
    return true;
}
