#include "edge_snap.h"

LRESULT OnArrowKey(WPARAM) {
    return 0;
}
