#pragma once

// The built-in English texts, read in pairs: ("_GROUP_", name) opens a group,
// every other pair is a key and its text in the group opened last, and
// ("_END_", "") ends the table.
extern const char* const kBuiltInTexts[];
