#include "dtc/RunComparison.h"

#include <new>

#include "dtc/RunReport.h"

void CRunComparison::Compare(const CString& vin, const CString& beforeFolder, const CString& beforeTime,
                             const CString& afterFolder, const CString& afterTime) const
{
    const EncodingOf encodingOf = [&](std::string_view bytes) { return m_encoding.EncodingOf(bytes); };
    CString view;
    try {
        view = BeforeAndAfterView(vin, CodesOfRun(beforeFolder, beforeTime, encodingOf),
                                  CodesOfRun(afterFolder, afterTime, encodingOf));
    } catch (const std::bad_alloc&) {
        // Said in the viewer and the status line alike, so that neither shows a comparison not made.
        const CString why = "The runs could not be compared: not enough memory.";
        m_listener.ShowView(kBeforeAndAfterShown, "\r\n" + why);
        m_listener.Say(why);
        return;
    }
    m_listener.ShowView(kBeforeAndAfterShown, view);
}
