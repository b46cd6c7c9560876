#pragma once
// Temporary folders of keeps that nothing writes any more, left by a crash, a power cut or a
// program ended while it kept (this version's, and earlier versions' inside the VIN folders).
// They are never listed, but they fill the disk and keep a VIN's folder from being deleted.
#include "framework/CString.h"

// This computer's in the history whose process is gone, this process's own from an earlier
// keep, and, the first time in a process, earlier versions' in every VIN folder.
void RemoveAbandonedKeeping(const CString& historyFolder, const CString& computer);
// Earlier versions' in one VIN folder whose thread is gone.
void RemoveEarlierKeeping(const CString& vinFolder);
