#include "bench/KeptHistory.h"

#include <windows.h>

#include <cstdio>
#include <fstream>

#include "bench/Require.h"
#include "tests/e2e/RunningProgram.h"

namespace bench {

std::string BenchVin(int vin)
{
    char name[32];
    std::snprintf(name, sizeof name, "BENCH%012d", vin);
    return name;
}

std::string BenchPlate(int vin)
{
    char plate[16];
    std::snprintf(plate, sizeof plate, "PL %05d", vin);
    return plate;
}

void FillHistory(int vins, int runsPerVin, std::string (*troubleCodes)(int run))
{
    const std::string history = e2e::HistoryFolder();
    e2e::RemoveTree(history);
    Require(CreateDirectoryA(history.c_str(), nullptr), "make the history folder");
    for (int vin = 0; vin < vins; ++vin) {
        const std::string vinFolder = history + "\\" + BenchVin(vin);
        CreateDirectoryA(vinFolder.c_str(), nullptr);
        for (int run = 0; run < runsPerVin; ++run) {
            char runName[32];
            std::snprintf(runName, sizeof runName, "2026-%02d-01 08-00-00", run + 1);
            const std::string runFolder = vinFolder + "\\" + runName;
            CreateDirectoryA(runFolder.c_str(), nullptr);
            std::ofstream(runFolder + "\\VIN.DAT", std::ios::binary) << BenchVin(vin) << "\r\n";
            std::ofstream(runFolder + "\\DTC.DAT", std::ios::binary) << troubleCodes(run);
            // Every run with its job card, as a workshop that fills them in has it.
            std::ofstream(runFolder + "\\JOB.TXT", std::ios::binary)
                << "\xEF\xBB\xBFPlate: " << BenchPlate(vin) << "\r\nMileage: " << 1000 * (run + 1)
                << " km\r\nCustomer: Customer " << vin << "\r\nJob number: J-" << vin << "-" << run
                << "\r\nNotes:\r\nChecked the engine light.\r\n";
        }
    }
}

}  // namespace bench
