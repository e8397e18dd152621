#include "IconLibraries.h"

CComCtl32Lib::CComCtl32Lib()
    : Create(m_library.Proc<decltype(Create)>("ImageList_Create")),
      Destroy(m_library.Proc<decltype(Destroy)>("ImageList_Destroy")),
      GetImageCount(m_library.Proc<decltype(GetImageCount)>("ImageList_GetImageCount")),
      GetIconSize(m_library.Proc<decltype(GetIconSize)>("ImageList_GetIconSize")),
      ReplaceIcon(m_library.Proc<decltype(ReplaceIcon)>("ImageList_ReplaceIcon")),
      Remove(m_library.Proc<decltype(Remove)>("ImageList_Remove")),
      GetIcon(m_library.Proc<decltype(GetIcon)>("ImageList_GetIcon")),
      Read(m_library.Proc<decltype(Read)>("ImageList_Read")),
      Write(m_library.Proc<decltype(Write)>("ImageList_Write")) {}

CShellLib::CShellLib()
    : ExtractIcons(m_library.Proc<decltype(ExtractIcons)>("ExtractIconExA")),
      GetFileInfo(m_library.Proc<decltype(GetFileInfo)>("SHGetFileInfoA")) {}
