#pragma once

#include <string>
#include <vector>

struct ConversionSettings;

// The recent output folders of the settings' recentOutFolders: newest first,
// joined by tabs, at most outFoldersNumber of them.

// The i-th folder (from 0) without surrounding spaces; "" when there is none.
std::string recentOutFolderAt(const ConversionSettings& settings, int index);

// Puts folder at the head of the settings' list, dropping the entries that
// equal it apart from letter case and the oldest ones beyond
// outFoldersNumber. False, and nothing changes, for an empty folder.
bool rememberOutputFolder(ConversionSettings& settings, const std::string& folder);

// What the output folder box shows: its items and the one to select (the
// folder of the next conversion, else the first).
struct FolderBoxContent {
    bool refill = false;  // false when there is no list: the box stays as it is
    std::vector<std::string> items;
    int selected = -1;  // -1 when the box has no items
};

FolderBoxContent outputFolderBoxContent(const ConversionSettings& settings, const std::string& outputFolder);
