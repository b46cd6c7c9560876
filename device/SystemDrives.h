#pragma once
// The system's answers to what following the device asks about the drives.
#include "device/DeviceFollower.h"
#include "framework/CString.h"

// TRUE when the folder (a drive prefix such as "E:", without a trailing backslash) directly
// holds a sub-folder of the given name, ignoring case.
bool HasSubfolder(const CString& directory, const char* name);

// The first line of the file VIN.DAT in `folder` (a device's PRINT folder); false when there is
// no such file to read.
bool ReadVinFile(const CString& folder, CString& vin);

const DriveQuestions& SystemDrives();
