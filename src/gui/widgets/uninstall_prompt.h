#pragma once

// The prompt of the -U switch: shows its own modal dialog and returns.
void runUninstallPrompt();
