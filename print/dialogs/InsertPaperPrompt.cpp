#include "InsertPaperPrompt.h"

#include "CInsertPaperDlg.h"

bool InsertPaperPrompt::insertPaper(const QString &message)
{
    return CInsertPaperDlg::ask(m_parent, message);
}
