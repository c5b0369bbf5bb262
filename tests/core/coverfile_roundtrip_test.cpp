// Property: a document whose texts hold no tag texts reads back as it was
// written, except that the picture paths point at the copies, the spine
// flags take their defaults, an alignment outside 0 to 2 keeps its default
// and an empty disc face name reads as "Arial".
#include "document/CoverFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>

using namespace testsupport;

namespace {

class DocumentGenerator {
public:
    explicit DocumentGenerator(quint32 seed)
        : m_random(seed)
    {
    }

    CoverDocument document(const QString &pictureDir, std::array<QByteArray, 4> &pictures)
    {
        CoverDocument d;
        d.covertype = oneOf<int32_t>({1, 2, 3, 4, 5, 0, 9, -3, integer()});
        d.fBGColor = colour();
        d.bBGColor = colour();
        d.dBGColor = colour();
        d.fShowBorder = flip();
        d.bShowBorder = flip();
        d.dShowBorder = flip();
        d.CoverOption = oneOf<int32_t>({0, 1, integer()});
        d.fCoverAlign = alignment();
        d.bCoverAlign = alignment();
        d.dCoverAlign = alignment();
        d.fCoverText = text();
        d.bCoverText = flip() ? text() : listing();
        d.dCoverText = text();
        d.fCoverTitle = text();
        d.bCoverTitle = text();
        d.dCoverTitle = text();
        d.fCoverTextFontName = text(20);
        d.bCoverTextFontName = text(20);
        d.dCoverTextFontName = text(20);
        d.fCoverTextColor = colour();
        d.bCoverTextColor = colour();
        d.dCoverTextColor = colour();
        for (LogFont *f : {&d.fCoverTextFont, &d.bCoverTextFont, &d.dCoverTextFont}) {
            f->height = oneOf<int32_t>({-24, -16, -19, 0, 12, integer()});
            f->weight = oneOf<int32_t>({0, 400, 700, integer()});
            f->italic = flip();
            f->underline = flip();
            f->strikeOut = flip();
            f->setFaceName(oneOf<QByteArray>({"Arial", "Verdana Bold", "", text(40)}));
        }
        d.bFrontPrintOverSpines = flip();
        d.bBackPrintOverSpines = flip();
        d.printOverInnerCircleDisc = flip();
        d.frontCoverSpinesOn = flip();
        d.backCoverSpinesOn = flip();
        d.frontCoverSpineText = text();
        d.backCoverSpineText = text();

        QByteArray *paths[4] = {&d.fImagePath, &d.bImagePath, &d.sImagePath, &d.dImagePath};
        const char *names[4] = {"front", "back", "stretched", "disc"};
        for (int i = 0; i < 4; ++i) {
            pictures[i].clear();
            if (m_random.bounded(3) == 0)
                continue;
            pictures[i] = bytes(m_random.bounded(1, 6000));
            const QString ext = oneOf<QString>({".jpg", ".PNG", ".tiff", ".b.mp", ""});
            const QString path = pictureDir + '/' + names[i] + ext;
            writeFile(path, pictures[i]);
            *paths[i] = QFile::encodeName(path);
        }
        return d;
    }

private:
    template <typename T> T oneOf(std::initializer_list<T> values)
    {
        return values.begin()[m_random.bounded(int(values.size()))];
    }
    bool flip() { return m_random.bounded(2) == 1; }
    int32_t integer() { return static_cast<int32_t>(m_random.generate()); }
    ColorRef colour() { return flip() ? m_random.bounded(0x1000000u) : m_random.generate(); }
    int32_t alignment() { return oneOf<int32_t>({0, 1, 2, 3, -1}); }

    // Any bytes but the zero byte and "[", so that no text forms a tag.
    QByteArray text(int maxLength = 300)
    {
        static const QByteArray pieces[]
            = {"\r\n", "\xc3\xa9", "\x93quoted\x94", "]", "=", "END", "DELIM", " ", "&&"};
        QByteArray t;
        const int length = m_random.bounded(maxLength + 1);
        while (t.size() < length) {
            if (m_random.bounded(4) == 0) {
                t += pieces[m_random.bounded(int(std::size(pieces)))];
            } else {
                char c = char(m_random.bounded(1, 256));
                if (c != '[')
                    t += c;
            }
        }
        return t;
    }
    QByteArray listing()
    {
        QByteArray l;
        const int rows = m_random.bounded(6);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < 3; ++c)
                l += "[DELIM]" + text(12) + "[/DELIM]";
            l += "\n\r";
        }
        return l;
    }
    QByteArray bytes(int size)
    {
        QByteArray b(size, Qt::Uninitialized);
        for (char &c : b)
            c = char(m_random.bounded(256));
        return b;
    }

    QRandomGenerator m_random;
};

CoverDocument expectedAfterReading(CoverDocument written, int32_t resetType)
{
    CoverDocument reset;
    resetDocumentForType(reset, resetType);
    for (int32_t *align : {&written.fCoverAlign, &written.bCoverAlign, &written.dCoverAlign}) {
        if (*align < 0 || *align > 2)
            *align = align == &written.fCoverAlign ? reset.fCoverAlign
                : align == &written.bCoverAlign    ? reset.bCoverAlign
                                                   : reset.dCoverAlign;
    }
    written.frontCoverSpinesOn = reset.frontCoverSpinesOn;
    // A DVD sheet's spine follows its back print-over flag.
    const bool sheet = written.covertype == StandardDVD || written.covertype == SlimlineDVD;
    written.backCoverSpinesOn = sheet ? written.bBackPrintOverSpines != 0 : reset.backCoverSpinesOn;
    if (written.dCoverTextFont.faceName.isEmpty())
        written.dCoverTextFont.faceName = "Arial";
    return written;
}

} // namespace

TEST(CoverFileRoundTrip, RandomDocumentsReadBackAsWritten)
{
    const QString dir = freshDir("roundtrip");
    const char *copyNames[4] = {"tmpfront", "tmpback", "tmpstretch", "tmpdisc"};
    for (quint32 seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        DocumentGenerator generate(seed);
        std::array<QByteArray, 4> pictures;
        const CoverDocument written = generate.document(dir, pictures);

        const QString path = dir + "/cover.zcv";
        const CoverWriteResult w = writeCoverFile(written, path);
        ASSERT_TRUE(w.ok) << w.reason.toStdString();
        const CoverBytesResult inMemory = coverFileBytes(written);
        ASSERT_TRUE(inMemory.ok);
        EXPECT_EQ(readFile(path), inMemory.bytes);

        const int32_t resetType = int32_t(seed % 5) + 1;
        CoverDocument read;
        resetDocumentForType(read, resetType);
        CoverReadOptions options;
        options.storeCoverTypeInSettings = false;
        const CoverReadResult r = readCoverFile(read, path, options);
        ASSERT_EQ(r.status, CoverReadResult::Status::Ok);

        CoverDocument expected = expectedAfterReading(written, resetType);
        // A type 1 front text is never a listing here (it holds no "[").
        QByteArray *readPaths[4]
            = {&read.fImagePath, &read.bImagePath, &read.sImagePath, &read.dImagePath};
        QByteArray *expectedPaths[4] = {
            &expected.fImagePath, &expected.bImagePath, &expected.sImagePath, &expected.dImagePath};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(r.pictureBytes[i], pictures[i].size());
            if (pictures[i].isEmpty()) {
                EXPECT_TRUE(readPaths[i]->isEmpty());
            } else {
                const QByteArray stored = *expectedPaths[i];
                const qsizetype dot = stored.lastIndexOf('.');
                // (A dot in a folder name of the sandbox would leave a "/".)
                const QByteArray ext
                    = dot < 0 ? QByteArray(".tmp") : stored.mid(dot).replace('/', '_');
                EXPECT_EQ(*readPaths[i],
                    QFile::encodeName(pictureCopyFolder() + '/' + copyNames[i]) + ext);
                EXPECT_EQ(readFile(QFile::decodeName(*readPaths[i])), pictures[i]);
            }
            readPaths[i]->clear();
            expectedPaths[i]->clear();
        }
        EXPECT_EQ(read, expected);
    }
}

TEST(CoverFileRoundTrip, TextsEndAtTheirFirstZeroByte)
{
    CoverDocument doc;
    resetDocumentForType(doc, StandardCD);
    doc.dCoverTitle = QByteArray("kept\0dropped", 12);
    const QString path = freshDir("zero") + "/c.zcv";
    ASSERT_TRUE(writeCoverFile(doc, path).ok);
    CoverDocument read;
    resetDocumentForType(read, StandardCD);
    CoverReadOptions options;
    options.storeCoverTypeInSettings = false;
    ASSERT_EQ(readCoverFile(read, path, options).status, CoverReadResult::Status::Ok);
    EXPECT_EQ(read.dCoverTitle, "kept");
}
