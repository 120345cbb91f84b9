#include "file_system.h"

namespace {
CFileSystem* g_pFileSystem = nullptr;
}

CFileSystem& FileSystem() noexcept {
    return g_pFileSystem != nullptr ? *g_pFileSystem : NativeFileSystem();
}

CFileSystem* SetFileSystem(CFileSystem* pFileSystem) noexcept {
    CFileSystem* pPrevious = &FileSystem();
    g_pFileSystem = pFileSystem;
    return pPrevious;
}
