#include "CHelpBrowser.h"

#include "ChmArchive.h"

#include <QTextDocument>

namespace {
const QString kScheme = QStringLiteral("chm");
}

CHelpBrowser::CHelpBrowser(const ChmArchive &archive, QWidget *parent)
    : QTextBrowser(parent)
    , m_archive(archive)
{
    setObjectName(QStringLiteral("helpBrowser"));
    // Links are followed by the help window, which hands web addresses to
    // the desktop instead of loading them here.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::sourceChanged, this, [this](const QUrl &url) { m_page = url; });
}

QUrl CHelpBrowser::pageUrl(const QString &archivePath)
{
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(ChmArchive::normalizedPath(archivePath));
    return url;
}

QString CHelpBrowser::currentPage() const
{
    return ChmArchive::normalizedPath(m_page.path());
}

void CHelpBrowser::backward()
{
    if (isBackwardAvailable())
        m_page = historyUrl(-1);
    QTextBrowser::backward();
}

void CHelpBrowser::forward()
{
    if (isForwardAvailable())
        m_page = historyUrl(1);
    QTextBrowser::forward();
}

void CHelpBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    m_page = name.isRelative() ? m_page.resolved(name) : name;
    QTextBrowser::doSetSource(name, type);
}

QVariant CHelpBrowser::loadResource(int type, const QUrl &name)
{
    const QUrl url = name.isRelative() ? m_page.resolved(name) : name;
    if (url.scheme() != kScheme)
        return QVariant();
    const QString path = ChmArchive::normalizedPath(url.path());
    const std::optional<QByteArray> bytes = m_archive.read(path);
    if (!bytes) {
        m_missing << path;
        if (type == QTextDocument::HtmlResource)
            return QStringLiteral("<html><head><title>Page not found</title></head><body>"
                                  "<h1>Page not found</h1><p>The page %1 is not in the help "
                                  "file.</p></body></html>")
                .arg(path.toHtmlEscaped());
        return QVariant();
    }
    if (type == QTextDocument::StyleSheetResource)
        return QString::fromUtf8(*bytes);
    // Pages as bytes, so that the browser reads their character set from
    // the page itself; pictures as bytes, decoded by their own format.
    return *bytes;
}
