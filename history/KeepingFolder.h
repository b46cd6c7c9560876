#pragma once
// A run is copied into a temporary folder in the history and renamed into its VIN's folder when
// whole. The temporary folder is named after the computer and the process writing it, so that
// a Mardello starting to keep can tell which ones nothing writes any more (left by a crash, a
// power cut, a program ended while it kept) and remove them, even in a history several
// computers share. The name is never listed: no VIN folder name starts with '~'.
#include "framework/CString.h"

// "~keeping <computer> <process id>"
CString KeepingFolderName(const CString& computer, unsigned long processId);
// False for any other folder name.
bool ParseKeepingFolderName(const CString& name, CString& computer, unsigned long& processId);
// What is done with a temporary folder met in the history. This computer's is removed once the
// process writing it is gone. Another computer's is left to it, unless it is a day old: that
// computer may be gone for good, and no keep lasts a day. Earlier versions' and any other
// folder are left alone.
enum class Leftover { LeftAlone, OwnIfProcessGone, Removed };
constexpr long long kOtherComputersLeftoverSeconds = 24 * 60 * 60;
// `ageSeconds`: since it was last written, by this computer's clock (negative when another's is ahead).
Leftover LeftoverOf(const CString& name, const CString& computer, long long ageSeconds, unsigned long& processId);

// "~keeping <thread id>": what earlier versions wrote a run into, inside its VIN folder, and
// left there when they were ended while they kept.
bool ParseEarlierKeepingFolderName(const CString& name, unsigned long& threadId);
