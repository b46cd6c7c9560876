#include "output/PrintLayout.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr int kDesignDpi = 600;

int ClampToInt(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }

}  // namespace

int ScaleToDevice(int units600, int dpi)
{
    if (dpi <= 0) dpi = kDesignDpi;
    const int64_t product = static_cast<int64_t>(units600) * dpi;
    // Rounded to nearest, halves away from zero, the same way for either sign.
    const int64_t magnitude = ((product < 0 ? -product : product) + kDesignDpi / 2) / kDesignDpi;
    return ClampToInt(product < 0 ? -magnitude : magnitude);
}

PrintGeometry A4At600Dpi()
{
    PrintGeometry a4;
    // 210 mm x 297 mm, rounded to whole dots.
    a4.pageWidth = a4.paperWidth = 4961;
    a4.pageHeight = a4.paperHeight = 7016;
    return a4;
}

PrintMetrics MetricsFor(const PrintGeometry& geometry)
{
    PrintMetrics metrics{};
    metrics.left = ScaleToDevice(120, geometry.dpiX);
    metrics.vinTop = ScaleToDevice(120, geometry.dpiY);
    metrics.firstLineTop = ScaleToDevice(360, geometry.dpiY);
    metrics.nextPageTop = ScaleToDevice(120, geometry.dpiY);
    metrics.lineStep = ScaleToDevice(120, geometry.dpiY);
    metrics.fontHeight = ScaleToDevice(100, geometry.dpiY);
    metrics.lineWidth = ClampToInt(std::max<int64_t>(1, int64_t{geometry.pageWidth} - 2 * int64_t{metrics.left}));
    const int64_t bottomMargin = metrics.vinTop;
    metrics.footerTop = ClampToInt(int64_t{geometry.pageHeight} - bottomMargin - metrics.fontHeight);
    metrics.bodyBottom = ClampToInt(int64_t{metrics.footerTop} - metrics.lineStep);
    return metrics;
}

HeaderMetrics HeaderMetricsFor(const PrintGeometry& geometry)
{
    // The rule stays at least a dot thick however coarse the printer.
    return {ScaleToDevice(150, geometry.dpiY), ScaleToDevice(180, geometry.dpiY), ScaleToDevice(40, geometry.dpiY),
            std::max(1, ScaleToDevice(4, geometry.dpiY))};
}

std::vector<PlacedLine> PlaceLines(int lineCount, const PrintMetrics& metrics, int bottom)
{
    std::vector<PlacedLine> placed;
    if (lineCount <= 0) return placed;
    placed.reserve(static_cast<size_t>(lineCount));
    int page = 0;
    int64_t y = metrics.firstLineTop;
    bool pageHasLine = false;
    for (int line = 0; line < lineCount; ++line) {
        // A page that has no line yet takes the next one even when it does not fit, so a page
        // too small for any line still moves the job forward.
        if (pageHasLine && y + metrics.fontHeight > bottom) {
            ++page;
            y = metrics.nextPageTop;
            pageHasLine = false;
        }
        placed.push_back(PlacedLine{page, ClampToInt(y), line});
        pageHasLine = true;
        y += metrics.lineStep;
    }
    return placed;
}

int PageCount(const std::vector<PlacedLine>& placed) { return placed.empty() ? 1 : placed.back().page + 1; }
