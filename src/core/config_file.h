// The three countdown settings in cfg.ini beside the executable, section "CFG".
#pragma once

#include <string>

// The settings file's path for the running executable, whatever the current folder.
std::wstring ModuleConfigPath();
// The same for an executable at `modulePath`, in a form the profile functions accept.
std::wstring ConfigPathForModule(const std::wstring& modulePath);

// Reads the three keys into the timer state (once, at window creation); missing or out-of-range
// values take their defaults.
void LoadConfiguration();

// Writes the three keys in the order timeout_continue, countdown_fix_second, countdown_to_time,
// all three whatever the first ones did. Returns whether every write succeeded; either way the
// values in memory stay in force until the program ends.
bool SaveConfiguration();
