#pragma once
// COMCTL32's image-list functions and SHELL32's icon extraction, bound by name
// when a list is made; a missing library or entry point leaves its pointer null
// and the operation that needs it does nothing.
#include <windows.h>
#include <objidl.h>
#include <commctrl.h>
#include <shellapi.h>
#include "Library.h"

class CComCtl32Lib {
    CLibrary m_library{"comctl32.dll"};  // first: the entry points below are taken from it

public:
    CComCtl32Lib();
    decltype(&ImageList_Create) Create;
    decltype(&ImageList_Destroy) Destroy;
    decltype(&ImageList_GetImageCount) GetImageCount;
    decltype(&ImageList_GetIconSize) GetIconSize;
    decltype(&ImageList_ReplaceIcon) ReplaceIcon;
    decltype(&ImageList_Remove) Remove;
    decltype(&ImageList_GetIcon) GetIcon;
    decltype(&ImageList_Read) Read;
    decltype(&ImageList_Write) Write;

    // ImageList_AddIcon is a macro over ImageList_ReplaceIcon(list, -1, icon).
    int AddIcon(HIMAGELIST list, HICON icon) const { return ReplaceIcon ? ReplaceIcon(list, -1, icon) : -1; }
};

class CShellLib {
    CLibrary m_library{"shell32.dll"};

public:
    CShellLib();
    decltype(&ExtractIconExA) ExtractIcons;
    decltype(&SHGetFileInfoA) GetFileInfo;
};

// The loaded modules of one image list.
struct CLibraries {
    CComCtl32Lib comctl;
    CShellLib shell;
};
