#pragma once
// The history keeps each vehicle's runs in a folder named after its VIN. The VIN comes from
// the device and is not trusted: the name made from it stays one plain folder inside the
// history, whatever bytes the device wrote, and two different VINs never share a folder.
#include "framework/CString.h"

// The folder of the runs of a device without a readable VIN. Its brackets are replaced in
// every name made from a VIN, so no vehicle's runs can land in it.
constexpr const char* kNoVinFolder = "(no VIN)";
constexpr int kVinFolderMaxLength = 64;

// A name any file system takes, made from the VIN alone: letters, digits, '-' and '_' are kept, and single dots and spaces inside the name (others
// are left out); every other byte becomes '_'. No trailing dots or spaces, at most
// kVinFolderMaxLength bytes, and a system device name (CON, NUL, COM1, LPT1..., with or
// without an extension) gets a leading '_'. kNoVinFolder when nothing is left.
CString PlainVinName(const CString& vin);

// The plain name, where it is the VIN itself; else the plain name (shortened) followed by '~'
// and a hash of all the VIN's bytes, since '~' is a byte no VIN kept as it is holds. The
// system ignores case in names, so a VIN with a small letter counts as changed too.
CString VinFolderName(const CString& vin);
