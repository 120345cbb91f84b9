#include "message.h"

#include <cstdio>
#include <utility>

namespace {
MessageHook g_messageHook;
}

MessageHook SetMessageHook(MessageHook hook) {
    return std::exchange(g_messageHook, std::move(hook));
}

void ShowMessage(const std::string& strText) {
    if (g_messageHook) {
        g_messageHook(strText);
        return;
    }
    // No front end installed one: the message must still reach somebody.
    std::fprintf(stderr, "%s\n", strText.c_str());
}
