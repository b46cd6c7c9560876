#include "bench/SampleReports.h"

#include <cstdarg>
#include <cstdio>

namespace bench {

namespace {

// GBK names as a Chinese device writes them; kept apart so no hex escape runs into the text after it.
constexpr const char* kMisfireGbk = "\xD2\xBB\xBA\xC5\xC6\xF8\xB8\xD7\xCA\xA7\xBB\xF0";  // cylinder 1 misfire
constexpr const char* kCurrentGbk = "\xB5\xB1\xC7\xB0";                                  // current
constexpr const char* kHistoryGbk = "\xC0\xFA\xCA\xB7";                                  // history
constexpr const char* kEngineSpeedGbk = "\xB7\xA2\xB6\xAF\xBB\xFA\xD7\xAA\xCB\xD9";      // engine speed
constexpr const char* kCoolantGbk = "\xC0\xE4\xC8\xB4\xD2\xBA\xCE\xC2\xB6\xC8";          // coolant temperature
constexpr const char* kDegreesGbk = "\xA1\xE6";                                          // degrees Celsius
constexpr const char* kFreezeFrameGbk = "\xB6\xB3\xBD\xE1\xD6\xA1";                      // freeze frame

using LineMaker = std::string (*)(int n);

// Checked against its arguments like printf, so a table row cannot read the wrong type.
__attribute__((format(printf, 1, 2))) std::string Format(const char* pattern, ...)
{
    char line[160];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(line, sizeof line, pattern, arguments);
    va_end(arguments);
    return line;
}

// Each table is one report's repeating record; `n` varies the numbers from line to line.
const LineMaker kTroubleCodeLines[] = {
    [](int n) { return Format("P0%03d\tCylinder %d Misfire Detected\tCurrent", 300 + n % 9, n % 9); },
    [](int n) { return Format("  U0%03d\tLost Communication With ECM/PCM \"A\"\tHistory  ", 100 + n % 40); },
    [](int n) { return Format("P0301\t%s\t%s", kMisfireGbk, n % 2 ? kCurrentGbk : kHistoryGbk); },
    [](int n) { return Format("P0171  System Too Lean (Bank %d)", 1 + n % 2); },
    [](int n) { return Format("B1%03d\tDriver Door Ajar Switch Circuit Open\t", n % 1000); },
    [](int n) { return Format("Freeze frame stored: %s", n % 3 ? "yes" : "no"); },
};

const LineMaker kLiveDataLines[] = {
    [](int n) { return Format("Engine Speed\t%d\trpm", 700 + n % 600); },
    [](int n) { return Format("%s\t%d\trpm", kEngineSpeedGbk, 700 + n % 600); },
    [](int n) { return Format("Coolant Temperature\t%d\t%s", 80 + n % 20, kDegreesGbk); },
    [](int n) { return Format("%s\t%d\t%s", kCoolantGbk, 80 + n % 20, kDegreesGbk); },
    [](int n) { return Format("Vehicle Speed                 %d km/h", n % 120); },
    [](int n) { return Format("Throttle Position\t%d.%d\t%%", n % 100, n % 10); },
    [](int n) { return Format("Battery Voltage\t1%d.%d\tV", 2 + n % 3, n % 10); },
    [](int n) { return Format("O2 Sensor Bank 1 Sensor 1      0.%03d V", n % 1000); },
    [](int n) { return Format("Short Term Fuel Trim Bank 1\t-%d.%d\t%%", n % 10, n % 7); },
    [](int n) { return Format("Intake Air Temperature\t%d\t%s  ", 20 + n % 30, kDegreesGbk); },
    [](int n) { return std::string(n % 2 ? "" : "----------------------------------------"); },
};

const LineMaker kFreezeFrameLines[] = {
    [](int n) { return Format("%s %d\tP0301", kFreezeFrameGbk, n / 8 + 1); },
    [](int n) { return Format("Fuel System Status\tClosed Loop (%d)", n % 3); },
    [](int n) { return Format("Calculated Load Value\t%d.%d\t%%", 20 + n % 60, n % 10); },
    [](int n) { return Format("\tEngine Coolant Temperature\t%d\tC", 80 + n % 20); },
    [](int n) { return Format("Intake Manifold Pressure      %d kPa", 30 + n % 70); },
    [](int n) { return Format("Engine Speed\t%d\trpm", 700 + n % 600); },
    [](int n) { return Format("Vehicle Speed\t%d\tkm/h", n % 120); },
    [](int) { return std::string(" "); },
};

template <size_t N>
std::string ReportFile(const LineMaker (&lines)[N], int count)
{
    std::string file;
    for (int n = 0; n < count; ++n) {
        file += lines[n % N](n);
        file += "\r\n";
    }
    return file;
}

}  // namespace

SampleReports MakeSampleReports(int totalLines)
{
    const int fifth = totalLines / 5;
    return {ReportFile(kTroubleCodeLines, fifth), ReportFile(kLiveDataLines, totalLines - 2 * fifth),
            ReportFile(kFreezeFrameLines, fifth)};
}

}  // namespace bench
