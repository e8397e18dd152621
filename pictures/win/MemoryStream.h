#pragma once
// Byte blocks in and out of COM streams, and files read whole.
#include <windows.h>
#include <objidl.h>
#include "ComPtr.h"
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// A new HGLOBAL stream holding a copy of the bytes, positioned at 0; null when out of memory.
ComPtr<IStream> StreamOnBytes(const Bytes& bytes);
// An empty HGLOBAL stream to write into.
ComPtr<IStream> NewMemoryStream();
// The whole contents of an HGLOBAL stream, whatever its position.
bool StreamContents(IStream* stream, Bytes& bytes);
// The whole file, opened for reading with read and write sharing; false when it
// does not exist or cannot be read.
bool ReadFileBytes(const std::string& path, Bytes& bytes);
// Moves a stream back to its start.
void Rewind(IStream* stream);
