#include "CoverLoading.h"

#include "document/CoverFile.h"

#include <QFileInfo>

bool loadCover(
    const QString &path, const CoverLoadOptions &options, LoadedCover &cover, QString &error)
{
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral("no such cover: %1").arg(path);
        return false;
    }
    if (options.defaultsFromSettings)
        resetDocument(cover.document, options.referenceDpi);
    else
        resetDocumentForType(cover.document, StandardCD, options.referenceDpi);
    CoverReadOptions read;
    read.referenceDpiY = options.referenceDpi;
    read.storeCoverTypeInSettings = false;
    read.keepPicturesInMemory = options.keepPicturesInMemory;
    const CoverReadResult result = readCoverFile(cover.document, path, read);
    switch (result.status) {
    case CoverReadResult::Status::Ok: break;
    case CoverReadResult::Status::Missing:
        error = QStringLiteral("no such cover: %1").arg(path);
        return false;
    case CoverReadResult::Status::Invalid:
        error = QStringLiteral("%1: %2").arg(path, invalidCoverFileMessage());
        return false;
    }
    cover.pictures.reset();
    if (options.keepPicturesInMemory) {
        cover.pictures = std::make_shared<MemoryPictureSource>();
        const CoverDocument &d = cover.document;
        const QByteArray *paths[4] = {&d.fImagePath, &d.bImagePath, &d.sImagePath, &d.dImagePath};
        for (int n = 0; n < 4; ++n)
            if (!paths[n]->isEmpty())
                cover.pictures->add(*paths[n], result.pictureData[n]);
    }
    return true;
}
