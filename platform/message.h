// The program's message box. The front end decides how a message is shown; the engine only
// hands over the text (UTF-8) and waits until the user has seen it.
#pragma once

#include <functional>
#include <string>

using MessageHook = std::function<void(const std::string& strText)>;

// Installs the front end's way of showing a message; gives the previous one.
MessageHook SetMessageHook(MessageHook hook);
void ShowMessage(const std::string& strText);
