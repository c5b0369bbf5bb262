#include "TagScanner.h"

#include <cstring>

TagScanner::TagScanner(const QList<QByteArray> &tags)
    : m_tags(tags)
{
    for (qsizetype i = 0; i < m_tags.size(); ++i) {
        const QByteArray &tag = m_tags.at(i);
        Q_ASSERT(tag.size() >= 2 && tag.startsWith('[') && tag.endsWith(']'));
        m_index.emplace(std::string_view(tag.constData(), size_t(tag.size())), i);
        if (m_shortest == 0 || tag.size() < m_shortest)
            m_shortest = tag.size();
        if (tag.size() > m_longest)
            m_longest = tag.size();
    }
}

QList<qsizetype> TagScanner::scan(const char *data, qsizetype length) const
{
    QList<qsizetype> first(m_tags.size(), -1);
    qsizetype missing = m_tags.size();
    qsizetype pos = 0;
    while (missing > 0 && pos < length) {
        const auto *open
            = static_cast<const char *>(std::memchr(data + pos, '[', size_t(length - pos)));
        if (!open)
            break;
        const qsizetype at = open - data;
        pos = at + 1;
        // A tag holds no bracket but its own two, so the only candidate
        // starting here ends at the next ']'; it must lie wholly in range.
        const qsizetype window = qMin(length - at, m_longest);
        if (window < m_shortest)
            continue;
        const auto *close
            = static_cast<const char *>(std::memchr(open + 1, ']', size_t(window - 1)));
        if (!close)
            continue;
        const qsizetype tagLength = close - open + 1;
        if (tagLength < m_shortest)
            continue;
        const auto found = m_index.find(std::string_view(open, size_t(tagLength)));
        if (found == m_index.end() || first[found->second] >= 0)
            continue;
        first[found->second] = at;
        --missing;
    }
    return first;
}
