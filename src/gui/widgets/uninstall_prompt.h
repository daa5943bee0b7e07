#pragma once

void runUninstallPrompt();
