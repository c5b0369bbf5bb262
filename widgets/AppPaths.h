#pragma once

#include <QString>

// The program's data folder (help, templates, licence texts): beside the
// executable at DISCORA_DATA_RELATIVE, which is where both the build tree and
// an installed system keep it.
QString programDataFolder();

// A file in the data folder.
QString programDataFile(const QString &name);
