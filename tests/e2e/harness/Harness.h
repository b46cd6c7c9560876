#pragma once
// Everything an end-to-end test needs to drive a program under Wine.

#include "tests/e2e/harness/Clipboard.h"
#include "tests/e2e/harness/Controls.h"
#include "tests/e2e/harness/Drives.h"
#include "tests/e2e/harness/Program.h"
#include "tests/e2e/harness/ScratchFolder.h"
#include "tests/e2e/harness/Screen.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/UnixSpawn.h"
#include "tests/e2e/harness/Wait.h"
#include "tests/e2e/harness/WinePaths.h"
