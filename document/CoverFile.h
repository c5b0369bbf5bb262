#pragma once

#include "CoverDocument.h"

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The cover file (.zcv): tagged text entries closed by "[END]", then four
// picture blocks holding the raw bytes of the face pictures.

struct CoverWriteResult {
    bool ok = false;
    QString reason; // for the user, when !ok
    // Pictures the document names that were not found or could not be
    // read: their blocks are empty, the rest of the cover is written.
    QStringList missingPictures;
};

// Writes the whole file to a temporary file beside `path` and renames it
// over `path` only when every byte was written; a failure leaves what was
// at `path` untouched. A text the file cannot hold (one holding the file's
// own tags, so that reading it back would give another cover) fails the
// write, naming the field.
CoverWriteResult writeCoverFile(const CoverDocument &doc, const QString &path);

// The file's bytes as writeCoverFile would write them.
struct CoverBytesResult {
    bool ok = false;
    QString reason;
    QByteArray bytes;
    QStringList missingPictures;
};
CoverBytesResult coverFileBytes(const CoverDocument &doc);

struct CoverReadOptions {
    // Vertical resolution of the screen the fonts were chosen at: the disc
    // font default of files without disc entries is taken at it.
    int referenceDpiY = 96;
    // Whether reading stores the cover's type as the settings value
    // "Option", so that the next new cover starts from it. Only the main
    // window asks for it; the exports, `--info` and other readers leave the
    // user's settings alone.
    bool storeCoverTypeInSettings = false;
    // Keep the picture blocks in the result instead of writing picture
    // copies: for callers that only draw the cover (a thumbnail, a fuzz
    // target) and must leave no files behind. The picture paths then name
    // no file; they start with kMemoryPicturePrefix, end with the stored
    // extension, and key CoverReadResult::pictureData.
    bool keepPicturesInMemory = false;
};

inline constexpr char kMemoryPicturePrefix[] = "memory:";

struct CoverReadResult {
    enum class Status { Ok, Missing, Invalid } status = Status::Missing;
    // Sizes of the four picture blocks (front, back, stretched, disc); 0 for
    // an empty or missing block.
    std::array<qint64, 4> pictureBytes{0, 0, 0, 0};
    QString reason; // detail for Invalid (e.g. cannot be read)
    // The picture blocks' bytes when read with keepPicturesInMemory
    // (front, back, stretched, disc); empty otherwise.
    std::array<QByteArray, 4> pictureData;
    // Pictures the file holds whose copies could not be written (the
    // temporary folder full, say): the document has no picture there.
    int lostPictureCopies = 0;
    QString lostPicturesReason; // why, for the user, when any were lost
};

// Reads `path` over `doc` (which the caller reset to the new-cover
// defaults). Missing file: nothing changes. Invalid file: the document keeps
// its defaults; the caller shows invalidCoverFileMessage(). Picture blocks
// are written to this process's private picture folder and the paths point
// at those copies.
CoverReadResult readCoverFile(
    CoverDocument &doc, const QString &path, const CoverReadOptions &options = {});

// How many pictures the last read of the cover file at `path` in this
// process could not copy (CoverReadResult::lostPictureCopies); 0 when it was
// not read. Whoever keeps the file for the cover read from it (the recovery
// copy) must not replace it with that document while its pictures are lost.
int lostPictureCopies(const QString &path);

// Reads a cover file's bytes as readCoverFile does once it has loaded them
// (the picture copies and the settings value are written all the same).
CoverReadResult readCoverBytes(
    CoverDocument &doc, const QByteArray &bytes, const CoverReadOptions &options = {});

// The largest cover file that is read or written (1 GiB): anything larger is
// not a cover, and reading it whole could exhaust the memory.
inline constexpr qint64 kMaxCoverFileBytes = qint64(1) << 30;

// The 52 entry keys in the order the file holds them.
const QList<QByteArray> &coverFileKeys();

// The value of every entry (in the order of coverFileKeys()) as the reader
// finds it in a file's text part; empty for an entry it does not find.
QList<QByteArray> coverEntryValues(const QByteArray &textRegion);

// What a person calls the field of an entry ("the front cover title").
QString coverFieldDescription(const QByteArray &key);

// The message and caption shown for a file that is not a cover file.
QString invalidCoverFileMessage();
QString invalidCoverFileCaption();

// Offset of the first occurrence of `tag` wholly inside data[0, length), or -1.
qsizetype findTag(const char *data, qsizetype length, const QByteArray &tag);

// The value of `key` in the text region: the bytes between "=" after "[key]"
// and "[ENDkey]"; empty when either tag is missing or out of order.
QByteArray tagValue(const QByteArray &textRegion, const QByteArray &key);

// The folder the picture copies of a read cover go to: private to this
// process (mode 0700), removed at exit. Its name holds the process's id and
// start time.
QString pictureCopyFolder();

// Removes the picture-copy folders in `tempFolder` whose program is no
// longer running (one that was killed could not remove its own): only this
// user's, only where the name proves the owner gone. Returns how many.
int removeAbandonedPictureCopyFolders(const QString &tempFolder = QDir::tempPath());
