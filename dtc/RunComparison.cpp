#include "dtc/RunComparison.h"

#include "dtc/RunReport.h"

void CRunComparison::Compare(const CString& vin, const CString& beforeFolder, const CString& beforeTime,
                             const CString& afterFolder, const CString& afterTime) const
{
    m_callback.ShowView(kBeforeAndAfterShown, BeforeAndAfterView(vin, CodesOfRun(beforeFolder, beforeTime),
                                                                 CodesOfRun(afterFolder, afterTime)));
}
