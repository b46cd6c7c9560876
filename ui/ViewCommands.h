#pragma once
// The view commands: which view the report viewer shows, and how to show it again. Each command
// reads its reports from where the reports come from into the viewer and marks its button; a
// change of source or of the way reports are read shows the same view again.
#include "reports/EncodingChoice.h"
#include "reports/ReportSource.h"
#include "reports/ReportView.h"
#include "ui/MainSkin.h"

struct ViewCommand;

class CViewCommands : private EncodingChoiceListener {
public:
    CViewCommands(CReportView& viewer, ReportSource& source, CEncodingChoice& encodingChoice, CMainSkin& skin)
        : m_viewer(viewer), m_source(source), m_encodingChoice(encodingChoice), m_skin(skin)
    {
    }

    // What the window's encoding choice tells.
    EncodingChoiceListener& EncodingListener() { return *this; }

    // The view of the command whose button is `buttonId`.
    void Show(int buttonId);
    // A view that is no view command's, such as the comparison of two runs; its text is UTF-8.
    void ShowView(const char* shown, const CString& viewerText);
    // Where the reports come from changed. `comparisonFollows`: a comparison fills the viewer next.
    void SourceChanged(bool comparisonFollows);
    // The button of the view shown; 0 when none or a part's view is shown.
    int ButtonOfShownView() const;

private:
    // The view command whose view the viewer shows; null when none or a part's view is shown.
    const ViewCommand* CommandOfShownView() const;
    void Show(const ViewCommand& command);
    void ReadReportsAgain() override;

    CReportView& m_viewer;
    ReportSource& m_source;
    CEncodingChoice& m_encodingChoice;
    CMainSkin& m_skin;
};
