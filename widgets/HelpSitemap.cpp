#include "HelpSitemap.h"

#include <QRegularExpression>

namespace {

QString decodeEntities(const QString &text)
{
    static const QRegularExpression entity(QStringLiteral("&(#x[0-9a-fA-F]+|#[0-9]+|[a-zA-Z]+);"));
    QString out;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        QString replacement = m.captured(0);
        if (name.startsWith(QLatin1String("#x")))
            replacement = QChar(char16_t(name.mid(2).toUShort(nullptr, 16)));
        else if (name.startsWith(QLatin1Char('#')))
            replacement = QChar(char16_t(name.mid(1).toUShort()));
        else if (name == QLatin1String("amp"))
            replacement = QStringLiteral("&");
        else if (name == QLatin1String("lt"))
            replacement = QStringLiteral("<");
        else if (name == QLatin1String("gt"))
            replacement = QStringLiteral(">");
        else if (name == QLatin1String("quot"))
            replacement = QStringLiteral("\"");
        else if (name == QLatin1String("apos"))
            replacement = QStringLiteral("'");
        out += replacement;
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

QString attribute(const QString &attributes, const QString &name)
{
    static const QRegularExpression attr(
        QStringLiteral("([A-Za-z_:-]+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"));
    for (auto it = attr.globalMatch(attributes); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        for (int i = 2; i <= 4; ++i) {
            if (m.capturedStart(i) >= 0)
                return decodeEntities(m.captured(i));
        }
    }
    return QString();
}

} // namespace

QList<HelpSitemap::Entry> HelpSitemap::parse(const QByteArray &sitemap)
{
    static const QRegularExpression tag(QStringLiteral("<(/?)(ul|object|param)\\b([^>]*)>"),
        QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromUtf8(sitemap);

    QList<Entry> roots;
    // The list entries go into now: the roots, or the children of the
    // entry before an inner <UL>. Pointers stay valid because a list only
    // grows while it is the innermost one.
    QList<QList<Entry> *> lists{&roots};
    bool inObject = false;
    Entry pending;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const bool closing = !m.captured(1).isEmpty();
        const QString name = m.captured(2).toLower();
        const QString attributes = m.captured(3);
        if (name == QLatin1String("ul")) {
            if (closing) {
                if (lists.size() > 1)
                    lists.removeLast();
            } else {
                QList<Entry> *current = lists.last();
                lists << (current->isEmpty() ? current : &current->last().children);
            }
        } else if (name == QLatin1String("object")) {
            if (!closing) {
                inObject = attribute(attributes, QStringLiteral("type"))
                               .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive)
                    == 0;
                pending = Entry();
            } else if (inObject) {
                inObject = false;
                if (!pending.name.isEmpty() || !pending.local.isEmpty())
                    lists.last()->append(pending);
            }
        } else if (name == QLatin1String("param") && inObject) {
            const QString key = attribute(attributes, QStringLiteral("name"));
            const QString value = attribute(attributes, QStringLiteral("value"));
            if (key.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0
                && pending.name.isEmpty())
                pending.name = value;
            else if (key.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0
                && pending.local.isEmpty())
                pending.local = value;
        }
    }
    return roots;
}

QStringList HelpSitemap::pages(const QList<Entry> &entries)
{
    QStringList out;
    for (const Entry &e : entries) {
        if (!e.local.isEmpty())
            out << e.local;
        out << pages(e.children);
    }
    return out;
}
