#pragma once

#include <QByteArray>
#include <QList>
#include <string_view>
#include <unordered_map>

// Finds the first occurrence of each of a set of bracketed tags ("[key]",
// "[ENDkey]", ...) in one pass over the bytes, so that reading a cover costs
// one scan of the file however many entries it looks for. The result for a
// tag is exactly what findTag would give: the offset of its first complete
// occurrence, or -1.
//
// Every tag must begin with '[', end with ']', and hold no other bracket.
class TagScanner {
public:
    explicit TagScanner(const QList<QByteArray> &tags);
    // The index points into the tag list it was built from.
    TagScanner(const TagScanner &) = delete;
    TagScanner &operator=(const TagScanner &) = delete;

    // First offsets, in the order of the tags given to the constructor.
    QList<qsizetype> scan(const char *data, qsizetype length) const;

private:
    QList<QByteArray> m_tags;
    std::unordered_map<std::string_view, qsizetype> m_index;
    qsizetype m_shortest = 0;
    qsizetype m_longest = 0;
};
