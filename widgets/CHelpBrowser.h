#pragma once

#include <QStringList>
#include <QTextBrowser>

class ChmArchive;

// Shows the pages of a help file. Pages, pictures and style sheets come out
// of the archive, so relative links between them work as they do in any
// help viewer; the archive's pages are addressed as "chm:/page.html".
class CHelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit CHelpBrowser(const ChmArchive &archive, QWidget *parent = nullptr);

    static QUrl pageUrl(const QString &archivePath);
    // The archive path of the page shown, such as "/printing.html".
    QString currentPage() const;
    // Resources the pages asked for that are not in the archive, in order.
    QStringList missingResources() const { return m_missing; }

    QVariant loadResource(int type, const QUrl &name) override;

public Q_SLOTS:
    void backward() override;
    void forward() override;

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    const ChmArchive &m_archive;
    // The page being shown. QTextBrowser's source() still names the page
    // before while the new one loads its style sheet and pictures, and
    // while sourceChanged is emitted.
    QUrl m_page;
    QStringList m_missing;
};
