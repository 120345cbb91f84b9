// The executable's embedded resources, looked up by their resource ids.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The path under which the Qt resource system holds the resource of this kind ("icon", "bitmap")
// and id.
QString ResourcePath(const char* szKind, int nId);

// The icon group with all its images.
QIcon LoadAppIcon(int nId);
QPixmap LoadBitmap(int nId);
