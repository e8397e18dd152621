#pragma once
// Sends recorded pages to the printer of the settings record: the page range
// (or a selected area of one page), the spooler's document and page brackets,
// ESC between pages.
#include <windows.h>
#include <string>

class CHostEMFPages;
class CPageSetupDialog;

// A right-button selection: a page and its area as fractions of the page.
struct PrintSelection {
    long page = -1;  // -1: none, print the page range
    double left = 0, top = 0, right = 1, bottom = 1;
};

// The document goes to the spooler under `documentName` (null: none).
// Returns the number of pages sent; 0 when no printer device context could be made.
int RunPrintJob(CPageSetupDialog& settings, CHostEMFPages& pages, const std::string* documentName,
                const PrintSelection& selection);

// The selected fractions mapped onto the printer rectangle, truncated toward zero.
RECT SelectedArea(const RECT& printer, const PrintSelection& selection);
