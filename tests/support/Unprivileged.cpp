#include "Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

QByteArray readAll(int fd)
{
    QByteArray bytes;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return bytes;
        bytes.append(chunk, n);
    }
}

// Exit codes of the child besides 0.
constexpr int kCannotDrop = 3;
constexpr int kCannotReport = 4;

} // namespace

UnprivilegedRun runUnprivileged(const std::function<QByteArray(const QString &folder)> &part)
{
    UnprivilegedRun run;
    const bool root = ::geteuid() == 0;
    uid_t uid = ::geteuid();
    gid_t gid = ::getegid();
    if (root) {
        const passwd *nobody = ::getpwnam("nobody");
        if (!nobody) {
            run.failure = QStringLiteral("there is no user \"nobody\" to run as");
            return run;
        }
        uid = nobody->pw_uid;
        gid = nobody->pw_gid;
    }
    // Root's own temporary folders are closed to other users; /tmp is not.
    QTemporaryDir home((root ? QStringLiteral("/tmp") : QDir::tempPath())
        + QStringLiteral("/discora-unprivileged-XXXXXX"));
    if (!home.isValid()) {
        run.failure = QStringLiteral("no folder for the child: ") + home.errorString();
        return run;
    }
    const QString folder = home.path();
    if (root && ::chown(QFile::encodeName(folder).constData(), uid, gid) != 0) {
        run.failure = QStringLiteral("cannot hand the folder to nobody");
        return run;
    }

    int channel[2];
    if (::pipe(channel) != 0) {
        run.failure = QStringLiteral("no pipe");
        return run;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        run.failure = QStringLiteral("cannot fork");
        return run;
    }
    if (child == 0) {
        ::close(channel[0]);
        if (root
            && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0
                || ::setuid(0) == 0))
            ::_exit(kCannotDrop);
        const QByteArray output = part(folder);
        // No exit handlers: they belong to the parent (the test framework's
        // report, the sandbox's removal).
        ::_exit(writeAll(channel[1], output) ? 0 : kCannotReport);
    }
    ::close(channel[1]);
    run.output = readAll(channel[0]);
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        run.ran = true;
    else if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDrop)
        run.failure = QStringLiteral("the child could not become nobody");
    else
        run.failure = QStringLiteral("the child ended with status %1").arg(status);
    return run;
}

} // namespace testsupport
