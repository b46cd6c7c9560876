#pragma once
// The viewer menu's Encoding choice: Automatic, where each report file's encoding is found from
// its bytes, or one code page for every report. A choice is for the reports in view: it applies at
// once to them and holds until they come from elsewhere (another device, a kept run); each start
// begins with Automatic.
#include <string_view>

#include "framework/MessageMap.h"
#include "reports/ReportEncoding.h"

// What the encoding choice tells the window that owns it.
class EncodingChoiceListener {
public:
    // Reports are read another way now: the reports shown are to be read again.
    virtual void ReadReportsAgain() = 0;

protected:
    ~EncodingChoiceListener() = default;
};

class CEncodingChoice : public CCmdTarget {
public:
    explicit CEncodingChoice(EncodingChoiceListener& listener);

    // Appends the Encoding submenu to `menu`, the choice in force checked.
    void AddMenu(HMENU menu) const;
    // The reports now come from elsewhere: Automatic again.
    void SourceChanged();
    // How the bytes of a report file are read.
    ReportEncoding EncodingOf(std::string_view reportBytes) const;

    DECLARE_MESSAGE_MAP()

private:
    void OnChoose(UINT id);

    EncodingChoiceListener& m_listener;
    UINT m_chosen;  // the menu item of the choice in force
};
