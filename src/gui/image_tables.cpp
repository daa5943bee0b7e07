#include "gui/image_tables.h"

const std::vector<ImageTableEntry> buttonImageTable = {
    {"Convert", 2},
    {"InFiles", 3},
    {"InFolder", 4},
};

const std::vector<ImageTableEntry> smallIconTable = {
    {"New", 5},
    {"Add", 6},
    {"InFiles", 7},
    {"InFolder", 8},
    {"OutFolder", 9},
    {"OutFormat", 10},
    {"FavFolder", 11},
    {"ImportFiles", 12},
    {"ExportFiles", 13},
    {"Exit", 14},
    {"Copy", 15},
    {"Delete", 16},
    {"SelectAll", 17},
    {"Convert", 18},
    {"Error", 19},
    {"Preferences", 20},
    {"CustomConverter", 21},
    {"Help", 22},
    {"Email", 25},
    {"Web", 26},
    {"Updates", 27},
    {"About", 28},
};

// The toolbar's slots follow the menu's, 24 further on.
const std::vector<ImageTableEntry> sizedIconTable = [] {
    std::vector<ImageTableEntry> table;
    for (const ImageTableEntry& entry : smallIconTable)
        table.push_back({entry.name, entry.slot + 24});
    return table;
}();

int imageSlot(const std::vector<ImageTableEntry>& table, const std::string& name)
{
    for (const ImageTableEntry& entry : table)
        if (name == entry.name)
            return entry.slot;
    return -1;
}
