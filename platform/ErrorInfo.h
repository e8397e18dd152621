#pragma once
// Fills the thread's error information and returns DISP_E_EXCEPTION, the way an
// automation method reports that it cannot run.
#include <windows.h>
#include <objbase.h>
#include <string>

HRESULT RaiseAutomationError(const std::string& descriptionAnsi, const wchar_t* source,
                             REFIID iid = GUID_NULL);
