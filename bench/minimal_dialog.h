#pragma once
// Resource identifiers of the minimal dialog program, shared by its resource script and code.
// The edit has the number of Mardello's VIN box, so both are watched the same way.

#define IDD_MINIMAL_DIALOG   100
#define IDC_MINIMAL_TEXT     1000
#define IDC_MINIMAL_RICHEDIT 1010

#ifndef RC_INVOKED
// What the edit shows once the dialog is up: a VIN, as in Mardello's VIN box.
constexpr const char* kMinimalDialogText = "LSVAU2180N2183294";
#endif
