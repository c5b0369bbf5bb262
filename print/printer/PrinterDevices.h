#pragma once

#include <functional>
#include <memory>

class PrinterDevice;
class QWidget;

// The printer the print commands print on: a QtPrinterDevice whose dialogs
// belong to `dialogParent`, unless a test or a benchmark installed a maker of
// its own.
std::shared_ptr<PrinterDevice> makePrinterDevice(QWidget *dialogParent);

using PrinterDeviceMaker = std::function<std::shared_ptr<PrinterDevice>(QWidget *dialogParent)>;
// An empty maker restores the Qt printer.
void setPrinterDeviceMaker(PrinterDeviceMaker maker);
