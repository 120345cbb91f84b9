#include "resources.h"

// The resources live in a static library, whose registration the linker would drop unless
// something refers to it; this must stand outside any namespace.
static void RegisterResources() { Q_INIT_RESOURCE(resources); }

namespace {
void EnsureResources() {
    static const bool bRegistered = (RegisterResources(), true);
    (void)bRegistered;
}
}  // namespace

QString ResourcePath(const char* szKind, int nId) {
    return QStringLiteral(":/res/%1/%2").arg(QLatin1String(szKind)).arg(nId);
}

QIcon LoadAppIcon(int nId) {
    EnsureResources();
    return QIcon(ResourcePath("icon", nId));
}

QPixmap LoadBitmap(int nId) {
    EnsureResources();
    return QPixmap(ResourcePath("bitmap", nId));
}
