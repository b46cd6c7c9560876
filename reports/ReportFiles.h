#pragma once
// The device's report folder and the files it writes there, each named once: the view commands
// read them, the history keeps them, and the buttons, the history list and Save As call the
// reports by the names given here.

// At the root of the device's drive. A kept run's folder holds the same files.
constexpr const char* kReportFolderName = "PRINT";

struct ReportFile {
    const char* name;   // as the device names the file
    const char* shown;  // what the program calls the report
};

constexpr ReportFile kTroubleCodes = {"DTC.DAT", "Trouble Code"};
constexpr ReportFile kLiveData = {"CDS.DAT", "Live Data"};
constexpr ReportFile kFrozenFrame = {"FROZEN.DAT", "Frozen Frame"};
constexpr ReportFile kVinFile = {"VIN.DAT", "VIN"};

// Every file of a run, in the order the history lists what a run holds: a run is these that exist.
constexpr ReportFile kRunFiles[] = {kTroubleCodes, kLiveData, kFrozenFrame, kVinFile};

// What Print All shows, as Save As names it.
constexpr const char* kAllReportsShown = "All Reports";
