#pragma once
// The history reached the way a workshop's share is: the user's documents, where Mardello keeps
// its history, moved to a UNC path or to a network drive letter that lead to the same Unix folder.
#include <string>

#include "tests/e2e/harness/Drives.h"

namespace bench {

// For as long as it lives, the user's documents are `documents`; given back as they were.
class DocumentsMoved {
public:
    explicit DocumentsMoved(const std::string& documents);
    ~DocumentsMoved();
    DocumentsMoved(const DocumentsMoved&) = delete;
    DocumentsMoved& operator=(const DocumentsMoved&) = delete;

private:
    std::string m_before;
};

// \\benchserver\share, made to lead to `unixFolder` through the prefix's dosdevices/unc.
std::string ShareOf(const std::string& unixFolder);

}  // namespace bench
