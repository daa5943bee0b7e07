#include "gui/widgets/picture_bitmaps.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <algorithm>

namespace {

wxImage slotImage(const PictureSlots& slots, const std::vector<ImageTableEntry>& table, const char* name)
{
    const auto found = slots.find(imageSlot(table, name));
    if (found == slots.end() || found->second.empty())
        return wxImage();
    wxLogNull quiet;  // a damaged picture shows nothing rather than a message
    wxMemoryInputStream stream(found->second.data(), found->second.size());
    return wxImage(stream, wxBITMAP_TYPE_PNG);
}

}  // namespace

wxBitmap tableBitmap(const PictureSlots& slots, const std::vector<ImageTableEntry>& table, const char* name, int size)
{
    wxImage image = slotImage(slots, table, name);
    if (!image.IsOk())
        return wxBitmap();
    if (image.GetWidth() != size || image.GetHeight() != size)
        image.Rescale(size, size, wxIMAGE_QUALITY_HIGH);
    return wxBitmap(image);
}

wxBitmap tableBitmapWithin(const PictureSlots& slots, const std::vector<ImageTableEntry>& table, const char* name,
                           int maxSize)
{
    wxImage image = slotImage(slots, table, name);
    if (!image.IsOk())
        return wxBitmap();
    const int longest = std::max(image.GetWidth(), image.GetHeight());
    if (longest > maxSize)
        image.Rescale(std::max(1, image.GetWidth() * maxSize / longest),
                      std::max(1, image.GetHeight() * maxSize / longest), wxIMAGE_QUALITY_HIGH);
    return wxBitmap(image);
}
