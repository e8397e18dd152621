#pragma once
#include <windows.h>

// Live GDI objects of this process: GetGuiResources where the system answers it,
// else the process's entries of the shared GDI handle table (Wine).
long GdiObjectCount();
