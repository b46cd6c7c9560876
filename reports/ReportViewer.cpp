#include "reports/ReportViewer.h"

#include <new>
#include <string>

#include "framework/WideText.h"
#include "reports/MemoryHeadroom.h"
#include "reports/ReportFileText.h"

namespace {

// The control's default limit of 32,767 characters would silently cut a long report, and
// the cut lines would then be missing from what is printed and copied.
constexpr long kViewerTextLimit = 0x7FFFFFF0;

// Wine's rich edit takes a text in one piece in a time that grows faster than its size
// (40,000 lines: 11 to 15 s); in pieces of this size it takes a time in step with it (1.5 s).
constexpr size_t kViewerPieceBytes = 32 * 1024;

bool RoomForViewerPiece(size_t bytes)
{
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (!GlobalMemoryStatusEx(&memory)) return true;
    return ViewerHasRoomFor(bytes, {memory.ullAvailVirtual, memory.ullAvailPhys});
}

}  // namespace

void PrepareViewer(const CRichEditCtrl& viewer)
{
    // Plain text, so no report line is ever taken for markup. Only an empty control with
    // nothing to undo can change its mode; at start-up it is empty.
    viewer.EmptyUndoBuffer();
    viewer.SetTextMode(TM_PLAINTEXT);
    viewer.LimitText(kViewerTextLimit);
    // Find keeps the text it read until the viewer says it changed.
    viewer.SendMessage(EM_SETEVENTMASK, 0, viewer.SendMessage(EM_GETEVENTMASK) | ENM_CHANGE);
}

// A report larger than the memory it takes to convert ends the view with what was read before it,
// as a report cut short does, instead of abandoning the command with the old view left on screen
// under the new button.
ReportRead LoadReportFile(const CString& folder, const char* fileName, const CEncodingChoice& encoding,
                          CString& viewerText)
{
    std::string text;
    const ReportRead read = ReadReportText(folder + "\\" + fileName,
                                           [&](std::string_view bytes) { return encoding.EncodingOf(bytes); }, text);
    try {
        viewerText += CString(std::move(text));
    } catch (const std::bad_alloc&) {
        return ReportRead::CutShort;
    }
    return read;
}

// Under Wine, taking a large text out of the viewer costs far more than putting it in (half a
// minute for 10,000 lines), so a viewer that holds text is swapped for a fresh, empty one.
void EmptyViewer(CRichEditCtrl& viewer)
{
    if (viewer.GetTextLength() == 0) return;
    if (viewer.Renew(WS_VSCROLL)) {
        PrepareViewer(viewer);
        return;
    }
    viewer.SetSel(0, -1);
    viewer.ReplaceSel("", FALSE);
}

// Puts the text into the empty viewer piece by piece, unpainted until the last piece is in.
// When the process runs out of room for the viewer, the lines before that piece stay shown. A
// text that starts as markup goes in behind a paragraph break, taken out once it is in, so that
// the control never reads it as markup.
void FillViewer(const CRichEditCtrl& viewer, const CString& text)
{
    viewer.SetRedraw(FALSE);
    const bool behindBreak = StartsAsMarkup(text);
    if (behindBreak) viewer.ReplaceSel(L"\r\n");
    for (size_t from = 0; from < text.Size();) {
        const size_t end = ViewerPieceEnd(text, from, kViewerPieceBytes);
        if (!RoomForViewerPiece(end - from)) break;
        viewer.SetSel(-1, -1);
        viewer.ReplaceSel(WideText(text.Bytes().data() + from, static_cast<int>(end - from), CP_UTF8).c_str());
        from = end;
    }
    if (behindBreak) {
        viewer.SetSel(0, 1);
        viewer.ReplaceSel(L"");
    }
    viewer.SetRedraw(TRUE);
    // The frame too: a scroll bar shown while painting was stopped is drawn only with it.
    viewer.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}
