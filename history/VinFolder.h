#pragma once
// The history keeps each vehicle's runs in a folder named after its VIN. The VIN comes from
// the device and is not trusted: the name made from it stays one plain folder inside the
// history, whatever bytes the device wrote, and two different VINs never share a folder.
#include "framework/CString.h"
#include "vin/PlainVinName.h"

// The plain name, where it is the VIN itself; else the plain name (shortened) followed by '~'
// and a hash of all the VIN's bytes, since '~' is a byte no VIN kept as it is holds. The
// system ignores case in names, so a VIN with a small letter counts as changed too.
CString VinFolderName(const CString& vin);
