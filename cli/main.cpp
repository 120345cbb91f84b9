// The headless front end: one tagging run in the current directory, messages on stderr.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "../platform/file_exception.h"
#include "../platform/message.h"
#include "../platform/process.h"
#include "../tagger/tagging.h"
#include "version.h"

namespace {

constexpr int kExitTagged = 0;
constexpr int kExitNotTagged = 1;
constexpr int kExitFailed = 2;
constexpr int kExitUsage = 64;

constexpr const char* kUsage =
    "Usage: zelivar-tagger-cli [--help | --version]\n"
    "Appends an ID3v1 tag to every untagged *.mp3 in each subfolder of the current directory.\n"
    "Exit status: 0 tags are in place, 1 no track was tagged, 2 a file error ended the run.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        if (std::strcmp(argv[1], "--help") == 0 && argc == 2) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[1], "--version") == 0 && argc == 2) {
            std::printf("zelivar-tagger-cli %s\n", kVersion);
            return 0;
        }
        std::fprintf(stderr, "zelivar-tagger-cli: unknown argument '%s'\n%s", argv[1], kUsage);
        return kExitUsage;
    }
    PrepareProcess();
    SetMessageHook([](const std::string& strText) {
        std::fwrite(strText.data(), 1, strText.size(), stderr);
        std::fputc('\n', stderr);
    });
    try {
        TagArchive();
    } catch (const CFileException& e) {
        std::fprintf(stderr, "%s\n", DescribeFileException(e).c_str());
        return kExitFailed;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zelivar-tagger-cli: %s\n", e.what());
        return kExitFailed;
    }
    return g_bTagsPresent ? kExitTagged : kExitNotTagged;
}
