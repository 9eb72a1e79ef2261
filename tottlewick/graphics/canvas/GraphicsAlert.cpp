// The alert that the application installs for the graphics code.
#include "GraphicsAlert.h"

namespace {

GraphicsAlertProc installed = nullptr;

}  // namespace

GraphicsAlertProc GraphicsSetAlert(GraphicsAlertProc alert) {
    const GraphicsAlertProc previous = installed;
    installed = alert;
    return previous;
}

void graphicsAlert(const char* text) {
    if (installed) installed(text);
}
