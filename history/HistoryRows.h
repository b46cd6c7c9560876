#pragma once
// What the history window's rows show beside a run's VIN and time, and which row is selected
// once rows are deleted.
#include <vector>

#include "framework/CString.h"

// The trouble codes of a run as the keeping thread reads them (" P0301 P0171"): how many.
int CodeCount(const CString& codes);

// The row to select once the `deleted` rows of a list of `rows` are gone, as a row of the list
// left: the row that followed the last one deleted, or the last row when none did; -1 when no
// row is left.
int RowAfterDeleting(int rows, const std::vector<int>& deleted);
