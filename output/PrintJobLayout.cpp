#include "output/PrintJobLayout.h"

PrintJobLayout::PrintJobLayout(const PrintGeometry& geometry, const PrintWidths& widths, const CString& vin,
                               const CString& viewerText, const CString& date, const CString& time,
                               const WorkshopDetails& workshop, const CString& jobLine)
    : m_geometry(geometry), m_metrics(MetricsFor(geometry)), m_vin(vin), m_date(date), m_time(time),
      m_vinTop(m_metrics.vinTop)
{
    // The header's lines, those filled in, from where the VIN would be; the VIN follows a rule.
    // A detail wider than the page goes on in the next line, as a report's line does.
    const HeaderMetrics header = HeaderMetricsFor(geometry);
    if (!workshop.name.IsEmpty()) {
        const CharWidth& headingWidth = widths.heading ? widths.heading : widths.character;
        for (CString& piece : WrapPrintLine(workshop.name, m_metrics.lineWidth, headingWidth, widths.encoding)) {
            m_header.push_back({m_vinTop, std::move(piece), true});
            m_vinTop += header.headingStep;
        }
    }
    for (const CString* line : {&workshop.address1, &workshop.address2, &workshop.phone, &workshop.web}) {
        if (line->IsEmpty()) continue;
        for (CString& piece : WrapPrintLine(*line, m_metrics.lineWidth, widths.character, widths.encoding)) {
            m_header.push_back({m_vinTop, std::move(piece), false});
            m_vinTop += m_metrics.lineStep;
        }
    }
    if (!jobLine.IsEmpty()) m_jobLines = WrapPrintLine(jobLine, m_metrics.lineWidth, widths.character, widths.encoding);
    for (const CString& piece : m_jobLines) {
        m_header.push_back({m_vinTop, piece, false});
        m_vinTop += m_metrics.lineStep;
    }
    if (!m_header.empty()) {
        m_ruleTop = m_vinTop + header.ruleOffset;
        m_ruleThickness = header.ruleThickness;
        m_vinTop += m_metrics.lineStep;
    }

    for (const CString& line : SplitPrintLines(viewerText))
        for (CString& piece : WrapPrintLine(line, m_metrics.lineWidth, widths.character, widths.encoding))
            m_lines.push_back(std::move(piece));
    PrintMetrics firstPage = m_metrics;
    firstPage.firstLineTop += m_vinTop - m_metrics.vinTop;
    // Further pages start with the job's lines and a blank line.
    if (!m_jobLines.empty()) firstPage.nextPageTop += static_cast<int>(m_jobLines.size() + 1) * m_metrics.lineStep;
    m_placed = PlaceLines(static_cast<int>(m_lines.size()), firstPage, m_metrics.bodyBottom);
    const int pages = ::PageCount(m_placed);
    m_pageStarts.assign(1, 0);
    for (size_t k = 0; k < m_placed.size(); ++k)
        if (m_placed[k].page == static_cast<int>(m_pageStarts.size())) m_pageStarts.push_back(k);
    m_pageStarts.resize(static_cast<size_t>(pages) + 1, m_placed.size());

    // The gap between footer pieces that meet: one space of the print font. Only the page
    // number differs from page to page.
    const int gap = widths.text(" ");
    const PrintFooter first = FooterFor(m_vin, m_date, m_time, 1, pages);
    const int vinWidth = widths.text(first.vin);
    const int printedAtWidth = widths.text(first.printedAt);
    m_footers.reserve(static_cast<size_t>(pages));
    for (int page = 0; page < pages; ++page)
        m_footers.push_back(PlaceFooter(m_metrics.left, m_metrics.lineWidth, gap, vinWidth, printedAtWidth,
                                        widths.text(PageOfPages(page + 1, pages))));
}

void PrintJobLayout::DrawPage(PageCanvas& canvas, int page, const std::function<bool()>& keepDrawing) const
{
    if (page < 0 || page >= PageCount()) return;
    if (page == 0) {
        for (const HeaderLine& line : m_header) {
            if (line.heading)
                canvas.Heading(m_metrics.left, line.y, line.text);
            else
                canvas.Text(m_metrics.left, line.y, line.text);
        }
        if (!m_header.empty()) canvas.Rule(m_metrics.left, m_ruleTop, m_metrics.lineWidth, m_ruleThickness);
        canvas.Text(m_metrics.left, m_vinTop, m_vin);
        canvas.Text(m_metrics.left, m_vinTop + m_metrics.lineStep, CString());
    } else {
        for (size_t k = 0; k < m_jobLines.size(); ++k)
            canvas.Text(m_metrics.left, m_metrics.nextPageTop + static_cast<int>(k) * m_metrics.lineStep, m_jobLines[k]);
    }
    const size_t end = m_pageStarts[static_cast<size_t>(page) + 1];
    for (size_t k = m_pageStarts[static_cast<size_t>(page)]; k < end; ++k) {
        canvas.Text(m_metrics.left, m_placed[k].y, m_lines[static_cast<size_t>(m_placed[k].line)]);
        if (keepDrawing && !keepDrawing()) return;
    }

    const PrintFooter footer = FooterFor(m_vin, m_date, m_time, page + 1, PageCount());
    const FooterPositions& at = m_footers[static_cast<size_t>(page)];
    canvas.Text(at.vinX, m_metrics.footerTop, footer.vin);
    canvas.Text(at.printedAtX, m_metrics.footerTop, footer.printedAt);
    canvas.Text(at.pageNumberX, m_metrics.footerTop, footer.pageNumber);
}
