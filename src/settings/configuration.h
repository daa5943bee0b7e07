#pragma once

// config.ini at g_settings.configPath: the window mode's memory of the settings.

// Fills g_settings from the file, or with the window-mode defaults when there
// is no readable file, and brings the settings of older file layouts up to date.
void loadConfiguration();

// Writes g_settings to the file. The previous file survives a failed save
// unchanged; false then. Nothing is written without a path, nor over a file
// that the last load found but could not read. A file that the last load read
// but found no known key in is first kept as config.ini.bak, once, with a line
// on standard error naming both.
bool saveConfiguration();
