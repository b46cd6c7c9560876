// The view commands' buttons, and the status line and the buttons following the viewer and a
// change of where the reports come from.
#include "ui/MardelloDlg.h"

// The status line follows before the viewer does.
void CMardelloDlg::ReportSourceChanged(bool comparisonFollows)
{
    m_encodingChoice.SourceChanged();
    ShowSource();
    m_viewCommands.SourceChanged(comparisonFollows);
}

// Running a view command puts the VIN back into the VIN box; the status line says whether
// typed notes were kept.
void CMardelloDlg::ViewFilled(bool notesKept)
{
    m_reportSource.ViewShown(notesKept);
    UpdateData(FALSE);
    ShowSource();
}

// The notes' view is shown again, so is its button.
void CMardelloDlg::NotesBroughtBack() { MarkActiveButton(m_viewCommands.ButtonOfShownView()); }

void CMardelloDlg::OnPrintAll() { m_viewCommands.Show(IDC_BTN_PRINT_ALL); }

void CMardelloDlg::OnPrintTroubleCode() { m_viewCommands.Show(IDC_BTN_TROUBLE_CODE); }

void CMardelloDlg::OnPrintLiveData() { m_viewCommands.Show(IDC_BTN_LIVE_DATA); }

void CMardelloDlg::OnPrintFrozenFrame() { m_viewCommands.Show(IDC_BTN_FROZEN_FRAME); }
