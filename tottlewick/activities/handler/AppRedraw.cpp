// The update manager's redraw procedure.
#include "AppRedraw.h"

#include "Port.h"
#include "Scene.h"
#include "SceneGlobals.h"

void AppRedraw(std::uint16_t count, const Rect* rects) {
    Scene* target = SceneInFront();
    if (!target || !count) return;
    const Canvas port = PortGet();
    Rect kept{};
    CanvasGetClip(&kept, port);
    for (std::uint16_t i = 0; i < count; ++i) {
        CanvasSetClip(port, &rects[i]);
        target->Draw(rects[i]);
    }
    CanvasSetClip(port, &kept);
}
