#pragma once

#include <map>
#include <string>
#include <vector>

// Which picture slot shows which control: the large buttons, the 16-pixel
// icons of menus, small buttons and box items, and the toolbar icons at the
// chosen size. The numbers are slot ids shared by every theme.
struct ImageTableEntry {
    const char* name;
    int slot;
};

extern const std::vector<ImageTableEntry> buttonImageTable;
extern const std::vector<ImageTableEntry> smallIconTable;
extern const std::vector<ImageTableEntry> sizedIconTable;

// The slot of name in table, or -1.
int imageSlot(const std::vector<ImageTableEntry>& table, const std::string& name);

// Slot id to the PNG bytes that fill it; a slot without an entry shows nothing.
using PictureSlots = std::map<int, std::vector<unsigned char>>;

// The about box's banner, 360 by 40.
constexpr int kBannerSlot = 0;
