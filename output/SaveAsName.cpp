#include "output/SaveAsName.h"

#include "history/VinFolder.h"

CString SaveAsName(const CString& vin, const CString& date, const char* report)
{
    const CString plainVin = PlainVinName(vin);
    CString name = plainVin == kNoVinFolder ? CString() : plainVin + " ";
    return name + date + " " + report + ".txt";
}
