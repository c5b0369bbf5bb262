#include "PrinterDevices.h"

#include "QtPrinterDevice.h"

namespace {
PrinterDeviceMaker &installedMaker()
{
    static PrinterDeviceMaker maker;
    return maker;
}
} // namespace

std::shared_ptr<PrinterDevice> makePrinterDevice(QWidget *dialogParent)
{
    if (installedMaker())
        return installedMaker()(dialogParent);
    return std::make_shared<QtPrinterDevice>(dialogParent);
}

void setPrinterDeviceMaker(PrinterDeviceMaker maker)
{
    installedMaker() = std::move(maker);
}
