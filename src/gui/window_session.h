#pragma once

// The settings' life around the window: read from config.ini before it
// opens, written back once it has closed.

// Points the settings at config.ini in the user's configuration folder,
// loads it and builds the message catalogue and the accepted extensions.
// False when there was no config.ini to read (a first start, or a file that
// cannot be read): the settings then hold no window placement of the user's.
bool startWindowSession();

// Saves the settings; the window has stored its placement in them already.
void finishWindowSession();
