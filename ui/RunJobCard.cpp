#include "ui/RunJobCard.h"

#include <optional>

#include "framework/SystemMessage.h"
#include "framework/WideText.h"
#include "history/KeepSetting.h"
#include "jobcard/JobCardStore.h"
#include "jobcard/JobCardText.h"
#include "reports/ReportSource.h"
#include "res/resource.h"
#include "ui/JobCardDlg.h"

namespace {

constexpr const char* kKeptWithRun = "Kept with the run, in its folder in the history.";
constexpr const char* kKeptOnceKept = "Kept with the run once it is kept in the history.";
constexpr const char* kNotKept = "Keeping is off: these details will not be kept, and go when the device is pulled out.";
constexpr const char* kDeviceGone = "Job details not kept: the device was pulled out before its run was kept";
constexpr const char* kNoRun = "Job details belong to a run: connect the device or open a run from the history";

const JobCard kNoCard;

}  // namespace

BEGIN_MESSAGE_MAP(CRunJobCard, CCmdTarget)
    ON_COMMAND(IDM_JOB_DETAILS, &CRunJobCard::OnJobDetails)
END_MESSAGE_MAP()

// It takes over from a kept run shown, as the viewer does.
void CRunJobCard::DeviceFound(const CString& printFolder)
{
    m_keptRunFolder.Empty();
    m_keptCard = JobCard();
    m_devicePrint = printFolder;
    m_deviceRunFolder.Empty();
    m_deviceCard = JobCard();
}

void CRunJobCard::DeviceLost()
{
    m_devicePrint.Empty();
    m_deviceRunFolder.Empty();
    m_deviceCard = JobCard();
}

void CRunJobCard::DeviceRunKept(const CString& printFolder, const CString& runFolder)
{
    if (printFolder != m_devicePrint || runFolder.IsEmpty()) return;
    m_deviceRunFolder = runFolder;
    if (m_deviceCard.IsEmpty() || !WriteTo(runFolder, m_deviceCard)) m_deviceCard = ReadOf(runFolder);
}

void CRunJobCard::KeptRunShown(const CString& runFolder, const JobCard& card, const CString& note)
{
    if (!note.IsEmpty()) m_listener.Say(note);
    m_keptRunFolder = runFolder;
    m_keptCard = card;
    // A kept run shown is the device's own when the device's run was kept there.
    if (runFolder == m_deviceRunFolder) m_deviceCard = m_keptCard;
}

void CRunJobCard::KeptRunLeft()
{
    m_keptRunFolder.Empty();
    m_keptCard = JobCard();
    if (!m_deviceRunFolder.IsEmpty()) m_deviceCard = ReadOf(m_deviceRunFolder);
}

const JobCard& CRunJobCard::Card() const
{
    if (!m_keptRunFolder.IsEmpty()) return m_keptCard;
    return m_devicePrint.IsEmpty() ? kNoCard : m_deviceCard;
}

std::wstring CRunJobCard::WithCard(const std::wstring& viewerText) const
{
    return ViewerTextWithJobCard(viewerText, Card());
}

std::wstring ViewerTextWithJobCard(const std::wstring& viewerText, const JobCard& card)
{
    if (card.IsEmpty()) return viewerText;
    const CString text = WithJobCard(CString(Utf8Text(viewerText)), card);
    return WideText(text, text.GetLength(), CP_UTF8);
}

JobCard CRunJobCard::ReadOf(const CString& runFolder)
{
    CString note;
    const std::optional<JobCardRead> read = ReadJobCardWhileAnswered(runFolder, &note);
    if (!read) note = NoAnswerNote(HistoryFolderOfRun(runFolder), "the job details could not be read");
    if (!note.IsEmpty()) m_listener.Say(note);
    return read ? read->card : JobCard();
}

bool CRunJobCard::WriteTo(const CString& runFolder, const JobCard& card)
{
    const std::optional<unsigned long> error = WriteJobCardWhileAnswered(runFolder, card);
    if (!error) {
        m_listener.Say("Job details not kept: " + HistoryFolderOfRun(runFolder) + " does not answer");
        return false;
    }
    if (*error != 0) {
        m_listener.Say("Job details not kept: " + SystemMessage(*error));
        return false;
    }
    m_listener.JobCardKept(runFolder, card);
    return true;
}

// The device may be pulled out, or its run kept, while the window is open: the details go to the
// run they were typed for.
void CRunJobCard::OnJobDetails()
{
    const CString keptRun = m_keptRunFolder, devicePrint = m_devicePrint, deviceRun = m_deviceRunFolder;
    if (keptRun.IsEmpty() && devicePrint.IsEmpty()) {
        m_listener.Say(kNoRun);
        return;
    }
    const CString& folder = keptRun.IsEmpty() ? deviceRun : keptRun;
    const char* where = !folder.IsEmpty() ? kKeptWithRun : KeepsReports() ? kKeptOnceKept : kNotKept;
    CWnd parent(m_window.m_hWnd);
    CJobCardDlg dialog(&parent, Card(), where);
    if (dialog.DoModal() != IDOK) return;
    const JobCard& card = dialog.Card();
    if (keptRun.IsEmpty() && devicePrint != m_devicePrint) {
        if (deviceRun.IsEmpty()) m_listener.Say(kDeviceGone);
        else WriteTo(deviceRun, card);
        return;
    }
    // Not written, they still go on what is printed, saved and copied of this run.
    const CString& keptIn = keptRun.IsEmpty() ? m_deviceRunFolder : keptRun;
    if (!keptIn.IsEmpty()) WriteTo(keptIn, card);
    if (!keptRun.IsEmpty() && keptRun == m_keptRunFolder) m_keptCard = card;
    if (keptRun.IsEmpty() || keptIn == m_deviceRunFolder) m_deviceCard = card;
}
