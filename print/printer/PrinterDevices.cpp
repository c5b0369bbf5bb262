#include "PrinterDevices.h"

#include "QtPrinterDevice.h"

namespace {
PrinterDeviceMaker &installedMaker()
{
    static PrinterDeviceMaker maker;
    return maker;
}
} // namespace

std::shared_ptr<PrinterDevice> printerDevice(QWidget *dialogParent)
{
    if (installedMaker())
        return installedMaker()(dialogParent);
    static const std::shared_ptr<QtPrinterDevice> printer = std::make_shared<QtPrinterDevice>();
    printer->setDialogParent(dialogParent);
    return printer;
}

void setPrinterDeviceMaker(PrinterDeviceMaker maker)
{
    installedMaker() = std::move(maker);
}
