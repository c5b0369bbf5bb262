#include "CoverLayout.h"

#include "CoverFile.h"
#include "TagScanner.h"

#include <QIODevice>
#include <cstring>

namespace {

const QByteArray kEnd = QByteArrayLiteral("[END]");

const TagScanner &pictureTagScanner()
{
    static const QList<QByteArray> tags = [] {
        QList<QByteArray> t;
        for (int n = 1; n <= 4; ++n) {
            t << "[IMAGE" + QByteArray::number(n) + ']';
            t << "[ENDIMAGE" + QByteArray::number(n) + ']';
        }
        return t;
    }();
    static const TagScanner scanner(tags);
    return scanner;
}

// Longest tag looked for: a window must carry this many bytes less one
// from the previous chunk so that no tag is missed at a chunk boundary.
constexpr qsizetype kLongestTag = 11; // "[ENDIMAGE1]"

} // namespace

CoverLayout::Block CoverLayout::block(int n) const
{
    const qsizetype open = pictureTags[2 * n];
    const qsizetype close = pictureTags[2 * n + 1];
    if (open < 0 || close < 0)
        return {};
    const qsizetype start = open + 8;
    if (close <= start)
        return {};
    return Block{start, close - start};
}

CoverLayout layoutOfBytes(const char *data, qsizetype size)
{
    CoverLayout layout;
    const void *zero = std::memchr(data, 0, size_t(size));
    const qsizetype textLimit = zero ? static_cast<const char *>(zero) - data : size;
    const qsizetype end = findTag(data, textLimit, kEnd);
    if (end < 0)
        return layout;
    layout.hasEnd = true;
    layout.text = QByteArray::fromRawData(data, end);
    const QList<qsizetype> tags = pictureTagScanner().scan(data, size);
    std::copy(tags.begin(), tags.end(), layout.pictureTags.begin());
    return layout;
}

bool layoutOfDevice(QIODevice &device, CoverLayout &layout, QString &error, qsizetype chunkBytes)
{
    layout = CoverLayout{};
    const qsizetype carry = kLongestTag - 1;
    chunkBytes = qMax(chunkBytes, carry + 1);
    // The window is the last `carry` bytes of the previous chunk, then the
    // new chunk.
    QByteArray window(carry + chunkBytes, Qt::Uninitialized);
    qsizetype carried = 0;
    qint64 windowStart = 0; // file offset of window[0]
    bool textOpen = true; // neither "[END]" nor a zero byte seen yet
    qsizetype missingTags = 8;

    for (;;) {
        // A file that grows while it is read is taken as far as the largest
        // cover file reaches.
        const qint64 room = kMaxCoverFileBytes - (windowStart + carried);
        if (room <= 0)
            break;
        const qint64 got = device.read(window.data() + carried, qMin<qint64>(chunkBytes, room));
        if (got < 0) {
            error = device.errorString();
            return false;
        }
        if (got == 0)
            break;
        const qsizetype length = carried + qsizetype(got);
        const char *data = window.constData();

        if (textOpen) {
            const void *zero = std::memchr(data + carried, 0, size_t(got));
            const qsizetype limit = zero ? static_cast<const char *>(zero) - data : length;
            const qsizetype end = findTag(data, limit, kEnd);
            if (end >= 0) {
                layout.text.append(data + carried, qMax<qsizetype>(0, end - carried));
                layout.text.truncate(windowStart + end);
                layout.hasEnd = true;
                textOpen = false;
            } else if (zero) {
                layout.text.clear(); // no "[END]" before the first zero byte
                return true;
            } else {
                layout.text.append(data + carried, qsizetype(got));
            }
        }

        if (missingTags > 0) {
            const QList<qsizetype> found = pictureTagScanner().scan(data, length);
            for (int i = 0; i < 8; ++i) {
                if (layout.pictureTags[i] < 0 && found[i] >= 0) {
                    layout.pictureTags[i] = windowStart + found[i];
                    --missingTags;
                }
            }
        }
        if (!textOpen && missingTags == 0)
            break; // later bytes cannot change the layout

        const qsizetype keep = qMin(carry, length);
        std::memmove(window.data(), data + length - keep, size_t(keep));
        windowStart += length - keep;
        carried = keep;
    }
    if (!layout.hasEnd)
        layout.text.clear();
    return true;
}
