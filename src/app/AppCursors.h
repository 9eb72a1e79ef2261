// The program's cursors: cursor resource 5 on the trinket window and as the class-wide trinket cursors.
#pragma once

class OMCursor;
class OMTrinketWindow;

struct AppCursors {
    OMCursor* defaultCursor;
    OMCursor* second;
};

// The default cursor goes on the window's canvas and becomes the trinkets' default, pressed and no-trinket
// cursor; then a second cursor of the same resource is set on the canvas.
AppCursors installCursors(OMTrinketWindow& window);
// Clears the no-trinket cursor, which the window may still apply, and deletes both cursors.
void removeCursors(const AppCursors& cursors);
