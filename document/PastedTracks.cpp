#include "PastedTracks.h"

#include <QRegularExpression>

namespace {

const QString &lengthPattern()
{
    static const QString pattern = QStringLiteral("(?:[0-9]{1,3}:)?[0-9]{1,3}:[0-5][0-9]");
    return pattern;
}

bool isLength(const QString &text)
{
    static const QRegularExpression length(
        QStringLiteral("^\\s*[\\[(]?\\s*(%1)\\s*[\\])]?\\s*$").arg(lengthPattern()));
    return length.match(text).hasMatch();
}

bool isNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[0-9]{1,3}\\s*\\.?\\s*$"));
    return number.match(text).hasMatch();
}

QString lengthOnly(const QString &text)
{
    static const QRegularExpression length(lengthPattern());
    return length.match(text).captured(0);
}

// "3. Title 4:05", "03 - Title (4:05)", "Title", "Title 4:05".
QStringList fromLine(const QString &line)
{
    static const QRegularExpression track(
        QStringLiteral("^\\s*(?:([0-9]{1,3})(?:\\s*[.)]\\s*|\\s*-\\s*|\\s+))?(.*?)"
                       "(?:\\s*[-\\x{2013}]?\\s*[\\[(]?\\s*(%1)\\s*[\\])]?)?\\s*$")
            .arg(lengthPattern()));
    const QRegularExpressionMatch m = track.match(line);
    QString number = m.captured(1);
    QString title = m.captured(2).trimmed();
    QString length = m.captured(3);
    // A line that is only a number is a title ("1979"), not a number.
    if (title.isEmpty() && length.isEmpty()) {
        title = number;
        number.clear();
    }
    return {number.isEmpty() ? QString() : number + QLatin1Char('.'), title, length};
}

QStringList fromCells(QStringList cells)
{
    for (QString &c : cells)
        c = c.trimmed();
    QString number, length;
    if (cells.size() > 1 && isNumber(cells.first()))
        number = cells.takeFirst().remove(QLatin1Char('.')).trimmed() + QLatin1Char('.');
    if (cells.size() > 1 && isLength(cells.last()))
        length = lengthOnly(cells.takeLast());
    cells.removeAll(QString());
    return {number, cells.join(QLatin1Char(' ')), length};
}

} // namespace

QList<QStringList> PastedTracks::parse(const QString &text)
{
    QList<QStringList> rows;
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n|\\r"));
    for (const QString &line : text.split(lineBreak)) {
        if (line.trimmed().isEmpty())
            continue;
        rows << (line.contains(QLatin1Char('\t')) ? fromCells(line.split(QLatin1Char('\t')))
                                                  : fromLine(line));
    }
    return rows;
}

bool PastedTracks::isRows(const QString &text)
{
    return text.trimmed().contains(QLatin1Char('\n')) || text.trimmed().contains(QLatin1Char('\r'))
        || text.contains(QLatin1Char('\t'));
}

qint64 PastedTracks::lengthSeconds(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return -1;
    qint64 seconds = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const int value = parts[i].toInt(&ok);
        if (!ok || value < 0 || parts[i].isEmpty() || parts[i].size() > 4 || (i > 0 && value >= 60))
            return -1;
        seconds = seconds * 60 + value;
    }
    return seconds;
}
