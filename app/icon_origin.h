// Where a minimized window paints its icon: centred in the client area.
#pragma once

struct CIconOrigin {
    int x;
    int y;
};

// Centred with the rounding of signed division, which truncates toward zero: a client area
// narrower than the icon puts it at a negative offset (width 0, icon 32: x = -15).
CIconOrigin MinimizedIconOrigin(int nClientWidth, int nClientHeight, int nIconWidth,
                                int nIconHeight);
