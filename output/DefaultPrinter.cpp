#include "output/DefaultPrinter.h"

CString DefaultPrinterName()
{
    char device[512] = "";
    ::GetProfileStringA("windows", "device", "", device, sizeof device);
    const CString entry(device);
    const int comma = entry.Find(',');
    return comma < 0 ? entry : entry.Left(comma);
}
