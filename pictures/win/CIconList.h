#pragma once
// The control's list of 16 x 16 icons over a system image list, with COMCTL32
// and SHELL32 bound at run time. Indices count from 0; captions number icons
// from 1 (DrawIcon).
#include <windows.h>
#include <oaidl.h>
#include "IconLibraries.h"
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CIconList {
public:
    using ChangeCallback = void (*)(void* context);

    CIconList();
    // A list created and filled with the module's icon resources, in order (the
    // toolbar's default icons).
    CIconList(HMODULE module, const std::vector<int>& iconIds);
    virtual ~CIconList();
    CIconList(const CIconList&) = delete;
    CIconList& operator=(const CIconList&) = delete;

    // Creates the own list (16 x 16, ILC_MASK | ILC_COLOR32) if there is none.
    virtual void Create();
    // Destroys the own list; an external one is only let go.
    virtual void Destroy();
    // Appends the icon; its index, or -1.
    virtual int AddIcon(HICON icon);
    // Icons from a picture file (an icon of 16 x 16), an executable's small icons,
    // or the shell's small icon for the file. Whether any were added.
    virtual bool AddFromFile(const std::string& path);
    // Index -1 appends. The index that the image list answers, -1 on failure.
    virtual int ReplaceIcon(HICON icon, int index);
    virtual void Remove(int index);
    virtual int Count() const;
    // Icon `index` at 16 x 16, centred in the rectangle; greyed when not enabled.
    virtual void Draw(int index, HDC dc, const RECT& rect, bool enabled) const;
    virtual void Clear();
    // Replaces the icons with those of an image list read from the stream.
    virtual bool LoadFromStream(IStream* stream);
    virtual bool Write(IStream* stream) const;
    // A string is Encode64 icons to append; anything else an image-list handle to copy.
    virtual void SetFromVariant(const VARIANT& value);
    // Replaces the icons with copies of those of another image list (none for null);
    // a handle that is not an image list changes nothing.
    virtual void CopyFrom(HIMAGELIST list);
    // Uses someone else's list (never destroyed here) instead of the own one.
    virtual void Attach(HIMAGELIST list);
    // A copy of icon `index` for the caller to destroy; null when the index is invalid.
    virtual HICON GetIcon(int index) const;
    // The list as Encode64 text; empty for an empty list.
    virtual std::string Encode() const;
    // Appends the icons of an Encode64 text; a text that is no image list adds nothing.
    virtual void AddFromEncoded(std::string_view text);
    virtual bool IsValidIndex(int index) const;
    virtual HIMAGELIST Handle() const;
    virtual void SetChangeCallback(ChangeCallback callback, void* context);
    virtual void Changed();

    // Caption icon `number` (counted from 1) drawn as index number - 1; a square cell larger
    // than 16 x 16 (icons of a screen above 96 DPI) is filled with the icon smoothly stretched.
    void DrawIcon(HDC dc, const RECT& rect, long number, bool enabled) const;

private:
    // Appends every icon of another list; how many were added.
    int AppendFrom(HIMAGELIST list);
    // An image list read from the stream, or null; the caller destroys it.
    HIMAGELIST ReadList(IStream* stream) const;

    std::unique_ptr<CLibraries> m_libraries;
    HIMAGELIST m_list = nullptr;
    WORD m_external = 0;
    ChangeCallback m_callback = nullptr;
    void* m_context = nullptr;
};
