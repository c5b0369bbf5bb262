#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// The sandboxed config folder the test main set up for this process.
QString sandboxDir();

// Removes the settings store so that a test starts from the defaults.
void clearSettings();

// A fresh empty folder below the sandbox, unique per call.
QString freshDir(const QString &name);

QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace testsupport
