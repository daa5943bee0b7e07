#pragma once

// What the main window has to rebuild after the settings changed.
enum class InterfaceRefresh {
    kNothing,
    kIconSize,  // the toolbar, at the new icon size
    kTheme,     // every picture of the window; outweighs an icon size change
};
