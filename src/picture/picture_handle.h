#pragma once

#include <FreeImage.h>

#include <memory>

// Owning handles for FreeImage's objects, so that every early return of a
// step releases what it made.
struct BitmapRelease {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
struct MemoryStreamRelease {
    void operator()(FIMEMORY* memory) const { FreeImage_CloseMemory(memory); }
};

using BitmapHandle = std::unique_ptr<FIBITMAP, BitmapRelease>;
using MemoryStreamHandle = std::unique_ptr<FIMEMORY, MemoryStreamRelease>;
