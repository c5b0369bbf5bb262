#pragma once

#include "print/PaperPrompt.h"

class QWidget;

// The print run's insert-paper prompt as a window (CInsertPaperDlg).
class InsertPaperPrompt : public PaperPrompt {
public:
    explicit InsertPaperPrompt(QWidget *parent)
        : m_parent(parent)
    {
    }
    bool insertPaper(const QString &message) override;

private:
    QWidget *m_parent;
};
