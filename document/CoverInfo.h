#pragma once

#include <QString>
#include <QTextStream>

// `discora --info`: reads a cover as the program does (without changing the
// settings store) and prints it as one JSON object. Returns the exit code.
int printCoverInfo(const QString &coverPath, QTextStream &out, QTextStream &err);
