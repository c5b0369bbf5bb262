#include "UserSettings.h"

#include "CoverDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

// One walk over the table serves load and save, so the names, their order
// and their kinds cannot differ between the two directions.
class UserSettings::Exchange {
public:
    Exchange(QSettings &store, bool saving)
        : m_store(store)
        , m_saving(saving)
    {
    }

    void number(const char *name, uint32_t &field)
    {
        const QString key = QString::fromLatin1(name);
        if (m_saving) {
            m_store.setValue(key, static_cast<qulonglong>(field));
            return;
        }
        const QVariant v = m_store.value(key);
        if (!v.isValid())
            return;
        bool ok = false;
        const qulonglong n = v.toString().trimmed().toULongLong(&ok);
        if (ok && n <= 0xFFFFFFFFull)
            field = static_cast<uint32_t>(n);
    }

    void text(const char *name, QString &field)
    {
        const QString key = QString::fromLatin1(name);
        if (m_saving) {
            m_store.setValue(key, field);
            return;
        }
        const QVariant v = m_store.value(key);
        if (!v.isValid() || !v.canConvert<QString>())
            return;
        QString s = v.toString();
        // The platform store ended a string at its first zero.
        const qsizetype nul = s.indexOf(QChar(0));
        if (nul >= 0)
            s.truncate(nul);
        field = s;
    }

private:
    QSettings &m_store;
    bool m_saving;
};

UserSettings::UserSettings()
{
    load();
}

QString UserSettings::storePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Tessaly.conf");
}

void UserSettings::exchange(Exchange &ex)
{
    ex.number("Option", Option);
    ex.number("dwCHF", dwCHF);
    ex.number("dwCWF", dwCWF);
    ex.number("dwCHB", dwCHB);
    ex.number("dwCWB", dwCWB);
    ex.text("cdFormatCover", cdFormatCover);
    ex.text("cdFormatDisc", cdFormatDisc);
    ex.text("cdSlimFormatCover", cdSlimFormatCover);
    ex.text("cdSlimFormatDisc", cdSlimFormatDisc);
    ex.text("dvdFormatCover", dvdFormatCover);
    ex.text("dvdFormatDisc", dvdFormatDisc);
    ex.text("dvdSlimFormatCover", dvdSlimFormatCover);
    ex.text("dvdSlimFormatDisc", dvdSlimFormatDisc);
    ex.number("printDisc", printDisc);
    ex.number("printCover", printCover);
    ex.number("bothDiscLabels", bothDiscLabels);
    ex.text("lastPath", lastPath);
    ex.text("expandCoverMM", calibration.expandCoverMM);
    ex.text("expandDiscMM", calibration.expandDiscMM);
    ex.text("moveDiscMMX", calibration.moveDiscMMX);
    ex.text("moveDiscMMY", calibration.moveDiscMMY);
    ex.text("moveDiscUpDown", calibration.moveDiscUpDown);
    ex.text("moveDiscLeftRight", calibration.moveDiscLeftRight);
    ex.text("printerName", printerName);
    ex.text("windowGeometry", windowGeometry);
    ex.number("previewZoom", previewZoom);
    ex.number("showPartNames", showPartNames);
}

void UserSettings::load()
{
    const QString path = storePath();
    if (!QFileInfo::exists(path))
        return; // nothing stored yet: the defaults stand
    QSettings store(path, QSettings::IniFormat);
    if (store.status() != QSettings::NoError)
        return; // unreadable or corrupt store: keep the defaults
    Exchange ex(store, false);
    exchange(ex);
}

void UserSettings::save() const
{
    const QString path = storePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings store(path, QSettings::IniFormat);
    Exchange ex(store, true);
    const_cast<UserSettings *>(this)->exchange(ex);
    store.sync();
}

QString UserSettings::coversPaperFor(int32_t coverType) const
{
    switch (coverType) {
    case StandardCD: return cdFormatCover;
    case SlimlineCD: return cdSlimFormatCover;
    case StandardDVD: return dvdFormatCover;
    case SlimlineDVD: return dvdSlimFormatCover;
    default: return {};
    }
}

QString UserSettings::discPaperFor(int32_t coverType) const
{
    switch (coverType) {
    case StandardCD: return cdFormatDisc;
    case SlimlineCD: return cdSlimFormatDisc;
    case StandardDVD: return dvdFormatDisc;
    case SlimlineDVD: return dvdSlimFormatDisc;
    default: return {};
    }
}

void UserSettings::setPapersFor(int32_t coverType, const QString &covers, const QString &disc)
{
    switch (coverType) {
    case StandardCD:
        cdFormatCover = covers;
        cdFormatDisc = disc;
        break;
    case SlimlineCD:
        cdSlimFormatCover = covers;
        cdSlimFormatDisc = disc;
        break;
    case StandardDVD:
        dvdFormatCover = covers;
        dvdFormatDisc = disc;
        break;
    case SlimlineDVD:
        dvdSlimFormatCover = covers;
        dvdSlimFormatDisc = disc;
        break;
    default: break;
    }
}
