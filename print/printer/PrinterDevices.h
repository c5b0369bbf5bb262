#pragma once

#include <functional>
#include <memory>

class PrinterDevice;
class QWidget;

// The printer the print commands print on, its dialog belonging to
// `dialogParent`: one QtPrinterDevice for the life of the program, so that
// the printer and the settings chosen in its dialog hold from one print to
// the next, unless a test or a benchmark installed a maker of its own.
std::shared_ptr<PrinterDevice> printerDevice(QWidget *dialogParent);

using PrinterDeviceMaker = std::function<std::shared_ptr<PrinterDevice>(QWidget *dialogParent)>;
// An empty maker restores the program's Qt printer.
void setPrinterDeviceMaker(PrinterDeviceMaker maker);
