#include "PrivateCupsd.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <sys/stat.h>

namespace testsupport {

namespace {

const char kSystemPpd[] = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
const char kCupsPdfSettings[] = "/etc/cups";

bool writeText(const QString &path, const QString &text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(text.toUtf8()) >= 0;
}

// The stock PPD with a printable area `margin` points in from every edge.
QString ppdWithMargins(int margin)
{
    QFile f(QString::fromLatin1(kSystemPpd));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString ppd = QString::fromUtf8(f.readAll());
    const struct {
        const char *name;
        int width, height;
    } sheets[] = {{"A4/A4", 595, 842}, {"Letter/US Letter", 612, 792}};
    for (const auto &sheet : sheets) {
        const QRegularExpression line(QStringLiteral("\\*ImageableArea %1: \"[^\"]*\"")
                                          .arg(QRegularExpression::escape(sheet.name)));
        ppd.replace(line,
            QStringLiteral("*ImageableArea %1: \"%2 %2 %3 %4\"")
                .arg(QLatin1String(sheet.name))
                .arg(margin)
                .arg(sheet.width - margin)
                .arg(sheet.height - margin));
    }
    return ppd;
}

} // namespace

PrivateCupsd::PrivateCupsd()
    : m_dir(QDir::tempPath() + QStringLiteral("/discora-cupsd-XXXXXX"))
{
}

PrivateCupsd::~PrivateCupsd()
{
    stop();
    for (const QString &file : std::as_const(m_etcFiles))
        QFile::remove(file);
}

QString PrivateCupsd::path(const QString &relative) const
{
    return m_dir.filePath(relative);
}

QString PrivateCupsd::socketPath() const
{
    return path(QStringLiteral("cups.sock"));
}

QString PrivateCupsd::outputFolder() const
{
    return path(QStringLiteral("out"));
}

QString PrivateCupsd::spoolFolder() const
{
    return path(QStringLiteral("spool"));
}

bool PrivateCupsd::start(QString &error)
{
    if (!m_dir.isValid()) {
        error = QStringLiteral("no temporary folder: ") + m_dir.errorString();
        return false;
    }
    // The filters run as the scheduler's user, not as root: they must reach
    // the folder and write their temporary files.
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(m_dir.path(), open);
    for (const char *sub : {"etc", "spool", "cache", "state", "log", "out", "tmp"})
        QDir(m_dir.path()).mkdir(QString::fromLatin1(sub));
    ::chmod(QFile::encodeName(path(QStringLiteral("tmp"))).constData(), 01777);

    const QString files = QStringLiteral(
        "ServerRoot %1/etc\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
        "TempDir %1/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
        "PageLog %1/log/page_log\nSystemGroup root\nUser lp\nGroup lp\n")
                              .arg(m_dir.path());
    const QString conf = QStringLiteral(
        "LogLevel info\nMaxLogSize 0\nListen %1\nBrowsing No\nBrowseLocalProtocols none\n"
        "DefaultShared No\nWebInterface No\nPreserveJobFiles Yes\nPreserveJobHistory Yes\n"
        "<Location />\n  Order allow,deny\n  Allow from all\n</Location>\n"
        "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                             .arg(socketPath());
    if (!writeText(path(QStringLiteral("etc/cups-files.conf")), files)
        || !writeText(path(QStringLiteral("etc/cupsd.conf")), conf)) {
        error = QStringLiteral("cannot write the scheduler's configuration");
        return false;
    }

    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd->start(QStringLiteral("cupsd"),
        {QStringLiteral("-f"), QStringLiteral("-c"), path(QStringLiteral("etc/cupsd.conf")),
            QStringLiteral("-s"), path(QStringLiteral("etc/cups-files.conf"))});
    if (!m_cupsd->waitForStarted(10000)) {
        error = QStringLiteral("cupsd did not start: ") + m_cupsd->errorString();
        m_cupsd.reset();
        return false;
    }
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
        if (m_cupsd->state() != QProcess::Running) {
            error = QStringLiteral("cupsd ended at once:\n") + diagnostics();
            m_cupsd.reset();
            return false;
        }
        bool ok = false;
        if (run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &ok).contains("is running") && ok)
            return true;
        QThread::msleep(100);
    }
    error = QStringLiteral("cupsd did not answer within 20 s:\n") + diagnostics();
    stop();
    return false;
}

bool PrivateCupsd::addPdfQueue(
    const QString &name, int marginPoints, QString &error, bool makeDefault)
{
    const QString ppd = ppdWithMargins(marginPoints);
    if (ppd.isEmpty()) {
        error = QStringLiteral("no cups-pdf driver at ") + QLatin1String(kSystemPpd);
        return false;
    }
    const QString ppdPath = path(name + QStringLiteral(".ppd"));
    const QString settingsPath
        = QStringLiteral("%1/cups-pdf-%2.conf").arg(QLatin1String(kCupsPdfSettings), name);
    const QString settings = QStringLiteral(
        "Out %1/out\nSpool %1/cups-pdf-spool\nLabel 1\nLog %1/log\nGSTmp %1/tmp\nGrp root\n")
                                 .arg(m_dir.path());
    if (!writeText(ppdPath, ppd)) {
        error = QStringLiteral("cannot write ") + ppdPath;
        return false;
    }
    if (!writeText(settingsPath, settings)) {
        error = QStringLiteral("cups-pdf reads a queue's settings only from %1, and %2 cannot be "
                               "written there (the test needs root)")
                    .arg(QLatin1String(kCupsPdfSettings), settingsPath);
        return false;
    }
    m_etcFiles << settingsPath;
    bool ok = false;
    const QString added = run(QStringLiteral("lpadmin"),
        {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
            QStringLiteral("cups-pdf:/") + name, QStringLiteral("-P"), ppdPath},
        &ok);
    if (ok && makeDefault)
        run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}, &ok);
    if (!ok) {
        error = QStringLiteral("lpadmin failed: ") + added + QStringLiteral("\n") + diagnostics();
        return false;
    }
    return true;
}

void PrivateCupsd::stop()
{
    if (!m_cupsd)
        return;
    m_cupsd->terminate(); // SIGTERM to its pid
    if (!m_cupsd->waitForFinished(10000)) {
        m_cupsd->kill();
        m_cupsd->waitForFinished(5000);
    }
    m_cupsd.reset();
}

void PrivateCupsd::useFromThisProcess() const
{
    qputenv("CUPS_SERVER", QFile::encodeName(socketPath()));
    // Client settings and lpoptions come from the private server root, so no
    // default printer of the machine or the user takes precedence.
    qputenv("CUPS_SERVERROOT", QFile::encodeName(path(QStringLiteral("etc"))));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    qputenv("HOME", QFile::encodeName(m_dir.path()));
}

QString PrivateCupsd::run(const QString &program, const QStringList &arguments, bool *ok) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, QStringList{QStringLiteral("-h"), socketPath()} + arguments);
    const bool finished = p.waitForFinished(20000);
    if (ok)
        *ok = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return QString::fromLocal8Bit(p.readAll());
}

QList<int> PrivateCupsd::completedJobs(const QString &queue, int count, int timeoutMs) const
{
    QElapsedTimer waited;
    waited.start();
    const QRegularExpression id(
        QStringLiteral("^%1-(\\d+)\\s").arg(QRegularExpression::escape(queue)),
        QRegularExpression::MultilineOption);
    QList<int> ids;
    do {
        ids.clear();
        const QString listed = run(QStringLiteral("lpstat"),
            {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue});
        for (auto it = id.globalMatch(listed); it.hasNext();)
            ids << it.next().captured(1).toInt();
        std::sort(ids.begin(), ids.end());
        if (ids.size() >= count)
            break;
        QThread::msleep(200);
    } while (waited.elapsed() < timeoutMs);
    return ids;
}

QList<int> PrivateCupsd::allJobs(const QString &queue) const
{
    const QRegularExpression id(
        QStringLiteral("^%1-(\\d+)\\s").arg(QRegularExpression::escape(queue)),
        QRegularExpression::MultilineOption);
    QList<int> ids;
    const QString listed = run(QStringLiteral("lpstat"),
        {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue});
    for (auto it = id.globalMatch(listed); it.hasNext();)
        ids << it.next().captured(1).toInt();
    std::sort(ids.begin(), ids.end());
    return ids;
}

QMap<QString, QString> PrivateCupsd::jobAttributes(int id) const
{
    // The job's owner asks, or the scheduler keeps the job's name private.
    const QString request = path(QStringLiteral("get-job-attributes.test"));
    writeText(request,
        QStringLiteral("{\n  OPERATION Get-Job-Attributes\n  GROUP operation-attributes-tag\n"
                       "  ATTR charset attributes-charset utf-8\n"
                       "  ATTR naturalLanguage attributes-natural-language en\n"
                       "  ATTR uri job-uri $uri\n  ATTR name requesting-user-name $user\n"
                       "  ATTR keyword requested-attributes all\n  STATUS successful-ok\n}\n"));
    // The socket's path is the host, escaped (and kept out of arg(), whose
    // markers its escapes would look like).
    const QString uri = QStringLiteral("ipp://")
        + QString::fromLatin1(QUrl::toPercentEncoding(socketPath()))
        + QStringLiteral("/jobs/") + QString::number(id);
    QProcess ipptool;
    ipptool.start(QStringLiteral("ipptool"), {QStringLiteral("-tv"), uri, request});
    ipptool.waitForFinished(20000);
    const QString text = QString::fromUtf8(ipptool.readAllStandardOutput());
    // The response's attributes follow its status line, one a line:
    // "        media (keyword) = Letter".
    QMap<QString, QString> attributes;
    const qsizetype response = text.indexOf(QStringLiteral("status-code ="));
    if (response < 0)
        return attributes;
    const QRegularExpression line(
        QStringLiteral("^\\s+([^\\s(]+) \\([^)]*\\) = (.*)$"), QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(text, response); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        attributes.insert(m.captured(1), m.captured(2));
    }
    return attributes;
}

QStringList PrivateCupsd::outputsOf(int id) const
{
    QStringList found;
    const QRegularExpression ofJob(QStringLiteral("(^|[^0-9])job_%1([^0-9]|$)").arg(id));
    for (const QString &name : QDir(outputFolder()).entryList(QDir::Files))
        if (ofJob.match(name).hasMatch())
            found << QDir(outputFolder()).filePath(name);
    return found;
}

QString PrivateCupsd::spooledFileOf(int id) const
{
    return QDir(spoolFolder()).filePath(QStringLiteral("d%1-001").arg(id, 5, 10, QLatin1Char('0')));
}

QString PrivateCupsd::diagnostics() const
{
    QString text;
    if (m_cupsd)
        text += QString::fromLocal8Bit(m_cupsd->readAll());
    QFile log(path(QStringLiteral("log/error_log")));
    if (log.open(QIODevice::ReadOnly))
        text += QString::fromLocal8Bit(log.readAll().right(4000));
    return text;
}

} // namespace testsupport
