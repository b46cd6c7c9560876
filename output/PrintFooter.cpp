#include "output/PrintFooter.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

CString PageOfPages(int pageNumber, int pageCount)
{
    return CString("Page " + std::to_string(pageNumber) + " of " + std::to_string(pageCount));
}

PrintFooter FooterFor(const CString& vin, const CString& date, const CString& time, int pageNumber, int pageCount)
{
    PrintFooter footer;
    footer.vin = vin;
    footer.printedAt = date;
    if (!date.IsEmpty() && !time.IsEmpty()) footer.printedAt += ' ';
    footer.printedAt += time;
    footer.pageNumber = PageOfPages(pageNumber, pageCount);
    return footer;
}

FooterPositions PlaceFooter(int left, int lineWidth, int gap, int vinWidth, int printedAtWidth, int pageNumberWidth)
{
    const auto clamp = [](int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); };
    const int64_t vinEnd = int64_t{left} + vinWidth;
    const int64_t centred = int64_t{left} + (int64_t{lineWidth} - printedAtWidth) / 2;
    const int64_t printedAtX = std::max(centred, vinEnd + gap);
    const int64_t rightAligned = int64_t{left} + lineWidth - pageNumberWidth;
    const int64_t pageNumberX = std::max(rightAligned, printedAtX + printedAtWidth + gap);
    return FooterPositions{left, clamp(printedAtX), clamp(pageNumberX)};
}
