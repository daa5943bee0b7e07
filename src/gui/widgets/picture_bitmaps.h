#pragma once

#include <wx/bitmap.h>

#include <vector>

#include "gui/image_tables.h"

// The picture that table gives name, from its slot, at size by size pixels
// (scaled when the picture has another size). An invalid bitmap when the slot
// is empty or does not hold a PNG picture: the control then shows none.
wxBitmap tableBitmap(const PictureSlots& slots, const std::vector<ImageTableEntry>& table, const char* name, int size);

// The same at the picture's own size, made smaller when it does not fit in
// a square of maxSize.
wxBitmap tableBitmapWithin(const PictureSlots& slots, const std::vector<ImageTableEntry>& table, const char* name,
                           int maxSize);
