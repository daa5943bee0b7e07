#pragma once

#include <string>

// The lock that lets one copy of a version run at a time: a file named after
// name, locked for the rest of the process once taken. It lives in
// $XDG_RUNTIME_DIR when that is a folder of this user's own that no group or
// other user may write, otherwise in a folder of this user's own below /tmp;
// never in a file another user owns or could hold.

// True when this process holds the lock now, also when no lock can be made
// at all (running beats refusing to run); false while another process holds it.
bool tryInstanceLock(const std::string& name);
