#include "MemoryStream.h"
#include "GlobalLock.h"
#include <cstring>

ComPtr<IStream> NewMemoryStream() {
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()))) stream.Reset();
    return stream;
}

ComPtr<IStream> StreamOnBytes(const Bytes& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (!block) return nullptr;
    {
        CGlobalLock<unsigned char> data(block);
        if (!data) {
            GlobalFree(block);
            return nullptr;
        }
        if (!bytes.empty()) std::memcpy(data.get(), bytes.data(), bytes.size());
    }
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.Put()))) {
        GlobalFree(block);
        return nullptr;
    }
    // The block may be larger than asked for; the stream must end where the bytes do.
    ULARGE_INTEGER size;
    size.QuadPart = bytes.size();
    stream->SetSize(size);
    return stream;
}

bool StreamContents(IStream* stream, Bytes& bytes) {
    bytes.clear();
    HGLOBAL block = nullptr;
    STATSTG stat = {};
    if (!stream || FAILED(GetHGlobalFromStream(stream, &block)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
        return false;
    size_t size = static_cast<size_t>(stat.cbSize.QuadPart);
    if (size == 0) return true;
    CGlobalLock<unsigned char> data(block);
    if (!data) return false;
    bytes.assign(data.get(), data.get() + size);
    return true;
}

void Rewind(IStream* stream) {
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
}

namespace {

class CFileHandle {
public:
    explicit CFileHandle(HANDLE h) : m_handle(h) {}
    ~CFileHandle() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

}  // namespace

bool ReadFileBytes(const std::string& path, Bytes& bytes) {
    bytes.clear();
    if (path.empty()) return false;
    CFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    // Pictures and icon files are small; anything past 2 GB is not one.
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        bytes.clear();
        return false;
    }
    return true;
}
