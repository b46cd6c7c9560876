// The VIN facts line: what the VIN in the VIN box tells, shown as the box changes, whether the
// user types, a device is found or a command sets the box. It only reads the box.
#include "ui/MardelloDlg.h"
#include "vin/VinFacts.h"

void CMardelloDlg::OnVinChange()
{
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    const VinFactsLine facts = VinFactsFor(GetDlgItem(IDC_EDIT_VIN).GetWindowText(), today.wYear);
    m_skin.ShowVinFacts(facts.text, facts.warning);
}
