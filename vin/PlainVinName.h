#pragma once
// A VIN made into one plain file name: the history's VIN folders and Save As's proposed name are
// made from it. The VIN comes from the device or the user and is not trusted, whatever bytes it holds.
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
