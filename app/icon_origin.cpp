#include "icon_origin.h"

CIconOrigin MinimizedIconOrigin(int nClientWidth, int nClientHeight, int nIconWidth,
                                int nIconHeight) {
    return {(nClientWidth - nIconWidth + 1) / 2, (nClientHeight - nIconHeight + 1) / 2};
}
