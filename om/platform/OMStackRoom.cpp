// The room left on the calling thread's stack, read from the reservation that holds it.
#include "OMStackRoom.h"

#include <windows.h>

namespace {

// A thread's stack is one reservation: its allocation base is the lowest address the stack can reach.
const char* stackBottom() {
    MEMORY_BASIC_INFORMATION region{};
    VirtualQuery(&region, &region, sizeof region);
    return static_cast<const char*>(region.AllocationBase);
}

}  // namespace

std::size_t stackRoom() {
    static thread_local const char* const bottom = stackBottom();
    const auto* frame = static_cast<const char*>(__builtin_frame_address(0));
    return static_cast<std::size_t>(frame - bottom);
}
