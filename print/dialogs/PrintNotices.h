#pragma once

#include <QList>

struct PrintNotice;
class QWidget;

// Shows a print run's messages, in order, through UiHost.
void showPrintNotices(QWidget *parent, const QList<PrintNotice> &notices);
