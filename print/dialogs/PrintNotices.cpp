#include "PrintNotices.h"

#include "print/PrintNotice.h"
#include "widgets/UiHost.h"

void showPrintNotices(QWidget *parent, const QList<PrintNotice> &notices)
{
    for (const PrintNotice &notice : notices)
        UiHost::instance().message(parent, notice.text, notice.caption, UiHost::Buttons::Ok,
            notice.kind == PrintNotice::Kind::Information ? UiHost::Icon::Information
                                                          : UiHost::Icon::Exclamation);
}
