// Copy: the viewer's text onto the clipboard as plain text.
#include <cstring>

#include "framework/Clipboard.h"
#include "output/ClipboardText.h"
#include "ui/MardelloDlg.h"

namespace {

// The block is filled before the clipboard is touched, so a failure leaves what the user
// had on the clipboard in place.
bool FillBlock(CGlobalBlock& block, const CString& text)
{
    if (!block.Get()) return false;
    void* bytes = ::GlobalLock(block.Get());
    if (!bytes) return false;
    std::memcpy(bytes, text.GetString(), text.Size() + 1);
    ::GlobalUnlock(block.Get());
    return true;
}

}  // namespace

void CMardelloDlg::OnCopy()
{
    MarkActiveButton(IDC_BTN_COPY);
    UpdateData(TRUE);
    CString text = ClipboardText(ViewerText());

    CGlobalBlock block(text.Size() + 1);
    if (!FillBlock(block, text)) return;
    CClipboardGuard clipboard(m_hWnd);
    if (!clipboard.IsOpen()) return;
    ::EmptyClipboard();
    // Once the clipboard has taken the block it is the clipboard's to free.
    if (::SetClipboardData(CF_TEXT, block.Get())) block.Detach();
}
