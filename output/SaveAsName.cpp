#include "output/SaveAsName.h"

#include "vin/PlainVinName.h"

CString SaveAsName(const CString& vin, const CString& runTime, const char* report)
{
    // A file name cannot hold a colon.
    CString toTheMinute = runTime.Left(16);
    toTheMinute.Replace(":", "-");
    const CString plainVin = PlainVinName(vin);
    CString name = plainVin == kNoVinFolder ? CString() : plainVin + " ";
    if (!toTheMinute.IsEmpty()) name += toTheMinute + " ";
    return name + report + ".txt";
}
