#pragma once

#include "document/CoverDocument.h"

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

// A new standard CD cover with `title` on its back; the back title of the
// cover file at `path` (empty when it cannot be read).
CoverDocument coverTitled(const QByteArray &title);
QByteArray backTitleIn(const QString &path);

} // namespace testsupport
