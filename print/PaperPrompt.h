#pragma once

#include <QString>

// Asks the user to load the paper of the next sheet before its job starts.
class PaperPrompt {
public:
    virtual ~PaperPrompt() = default;
    // True: print the sheet; false: leave it out.
    virtual bool insertPaper(const QString &message) = 0;
};
