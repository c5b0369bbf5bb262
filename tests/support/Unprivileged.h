#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace testsupport {

// What a part run by runUnprivileged() gave back.
struct UnprivilegedRun {
    bool ran = false; // the part ran to its end as an ordinary user
    QString failure; // why it did not
    QByteArray output; // what the part returned
};

// Runs `part` in a child process with the rights of an ordinary user, so
// that file permissions bind even when the tests run as root (as CI does):
// a root process's child drops to the user "nobody" first. `part` gets a
// fresh empty folder that user owns (under /tmp, which it can reach) and
// returns what the parent is to check; the folder is removed afterwards.
// Only the part's return value crosses back: check it in the parent.
UnprivilegedRun runUnprivileged(const std::function<QByteArray(const QString &folder)> &part);

} // namespace testsupport
