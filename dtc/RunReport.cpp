#include "dtc/RunReport.h"

#include <new>
#include <string>
#include <utility>

#include "reports/ReportFiles.h"

RunCodes CodesOfRun(const CString& runFolder, const CString& runTime, const EncodingOf& encodingOf, ReadReport read)
{
    RunCodes run;
    run.runTime = runTime;
    std::string text;
    run.report = read(runFolder + "\\" + kTroubleCodes.name, encodingOf, text);
    if (run.report != ReportRead::Whole) return run;
    try {
        run.codes = FindTroubleCodes(std::move(text));
    } catch (const std::bad_alloc&) {
        run.report = ReportRead::CutShort;
        run.codes = TroubleCodeList();
    }
    return run;
}
