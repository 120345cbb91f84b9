// Who serves a help request. The default hands the help file to the desktop's handler for it;
// tests put their own in its place.
#pragma once

#include <functional>
#include <string>

// Gives whether the help engine could be started.
using HelpLauncher = std::function<bool(const std::string& strHelpFile, unsigned nContext)>;

// Installs a launcher (an empty one restores the default); gives the previous one.
HelpLauncher SetHelpLauncher(HelpLauncher launcher);
bool LaunchHelp(const std::string& strHelpFile, unsigned nContext);
