#include "keyboard.h"

#include "edge_snap.h"

LRESULT OnKeyDown(WPARAM key) {
    switch (key) {
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            return OnArrowKey(key);
    }
    return 0;
}
