// The current port and its stack. Callers pair their pushes and pops; a push on a full stack and a pop
// on an empty one are refused, so that no save is ever written or read outside the stack.
#include "Port.h"

namespace {

// Transfer mode n selects raster operation n: leave the destination, copy, OR, XOR, AND.
constexpr DWORD kRasterOps[] = {0x00AA0029, SRCCOPY, SRCPAINT, SRCINVERT, SRCAND};
constexpr std::uint16_t kModeCount = sizeof kRasterOps / sizeof kRasterOps[0];

Canvas currentPort = 0;
Canvas savedPorts[kPortStackSize];
std::int16_t depth = -1;
std::uint16_t transferMode = 1;

}  // namespace

Canvas PortSet(Canvas canvas) {
    const Canvas previous = currentPort;
    currentPort = canvas;
    return previous;
}

Canvas PortGet() { return currentPort; }

std::int16_t PortPush(Canvas canvas) {
    if (depth >= kPortStackSize - 1) return 0;
    ++depth;
    savedPorts[depth] = PortSet(canvas);
    return 1;
}

Canvas PortPop() {
    if (depth < 0) return 0;
    return PortSet(savedPorts[depth--]);
}

std::uint16_t PortSetTransferMode(std::uint16_t mode) {
    const std::uint16_t previous = transferMode;
    if (mode < kModeCount) transferMode = mode;
    return previous;
}

std::uint16_t PortGetTransferMode() { return transferMode; }

DWORD portRasterOp() { return kRasterOps[transferMode]; }

HDC PortGetDC() { return currentPort ? CanvasGetDC(currentPort) : nullptr; }
