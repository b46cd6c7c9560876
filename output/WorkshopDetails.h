#pragma once
// The workshop that prints the reports, as the user entered it: printed at the top of page 1 for
// the customer who takes the printout home. Each detail is UTF-8, so it keeps characters the
// system's code page lacks.
#include "framework/CString.h"

struct WorkshopDetails {
    CString name;
    CString address1;
    CString address2;
    CString phone;
    CString web;  // e-mail or web address

    bool IsEmpty() const
    {
        return name.IsEmpty() && address1.IsEmpty() && address2.IsEmpty() && phone.IsEmpty() && web.IsEmpty();
    }
};
