#include "reports/ReportFileText.h"

#include <new>
#include <stdexcept>
#include <string>

#include "framework/StdioFile.h"
#include "reports/ReportText.h"

ReportRead ReadReportText(const CString& path, const EncodingOf& encodingOf, std::string& text)
{
    CStdioFile file;
    if (!file.Open(path, CStdioFile::modeRead | CStdioFile::shareCompat | CStdioFile::typeText))
        return ReportRead::Missing;
    try {
        std::string bytes;
        const bool readFailed = !file.ReadRest(bytes);
        file.Close();
        text += ReportText(bytes, encodingOf(bytes));
        return readFailed ? ReportRead::CutShort : ReportRead::Whole;
    } catch (const std::bad_alloc&) {
        return ReportRead::CutShort;
    } catch (const std::length_error&) {  // longer than a string can be
        return ReportRead::CutShort;
    }
}
