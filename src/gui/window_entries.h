#pragma once

#include <optional>
#include <string>

// The window's code is a module of its own (korvane-window.so), loaded only
// when a window is wanted: a console run never loads the toolkit's libraries,
// whose loading took a fifth of a quick conversion's time. The module hands
// over these entries; the module's functions are described in
// gui/widgets/desktop.h.
struct WindowEntries {
    void (*runWindowMode)();
    bool (*runScreenshotMode)(const std::string& folder);
    void (*runUninstallMode)();
};

// The name under which the module exports its WindowEntries.
inline constexpr char kWindowEntriesSymbol[] = "korvaneWindowEntries";

// The module beside the program, as in the build folder, else where it is
// installed: ../lib/<multiarch>/korvane/ from the program's folder.
std::string windowModulePath(const std::string& programFolder);

// The module's entries, or nothing with the reason in error.
std::optional<WindowEntries> loadWindowEntries(const std::string& programFolder, std::string& error);
