#pragma once
// Which code page's font prints a text: the system's, as long as it holds the text's scripts;
// otherwise one that does, so that Chinese reports print as characters on a Western Windows.
#include <string>

class PrintScripts {
public:
    // Notes the scripts of a UTF-8 text.
    void Scan(const std::string& utf8);
    // The code page whose font should print everything scanned.
    unsigned FontCodePage(unsigned systemCodePage) const;

private:
    unsigned m_seen = 0;  // a bit per script of the table in the source
};
