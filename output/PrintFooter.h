#pragma once
// The line at the foot of every printed page, so that a page that has come apart from the
// others still says which vehicle it belongs to, when it was printed and where it goes.
#include "framework/CString.h"

struct PrintFooter {
    CString vin;         // at the left margin: the VIN as the first page shows it
    CString printedAt;   // centred: the date and time of printing
    CString pageNumber;  // ending at the right margin: "Page X of Y"
};

// "Page X of Y", for the footer and for the preview that shows the page.
CString PageOfPages(int pageNumber, int pageCount);

// The footer of page `pageNumber` (counted from 1) of `pageCount`. The date and the time are
// joined by a space; when either is missing the other stands alone.
PrintFooter FooterFor(const CString& vin, const CString& date, const CString& time, int pageNumber, int pageCount);

struct FooterPositions {
    int vinX;
    int printedAtX;
    int pageNumberX;
};

// Where the three pieces start, given their widths, on a line `lineWidth` wide that starts at
// `left`. A piece never runs into the one before it: when the line is too narrow it moves right,
// a `gap` behind that piece, and so may end beyond the right margin.
FooterPositions PlaceFooter(int left, int lineWidth, int gap, int vinWidth, int printedAtWidth, int pageNumberWidth);
