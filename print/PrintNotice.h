#pragma once

#include <QString>

// A message a print run has for the user, shown by whoever started the run
// (the core has no message boxes of its own).
struct PrintNotice {
    enum class Kind { Information, Error };
    QString text;
    QString caption;
    Kind kind = Kind::Error;

    bool operator==(const PrintNotice &) const = default;
};
