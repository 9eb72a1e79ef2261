// Menu bar creation and the hand-over to the application's default bar on deletion.
#include "OMMenubar.h"

#include "OMApp.h"

OMMenubar::OMMenubar() : hmenu(CreateMenu()) {}

// A default bar deleted while another bar is current is forgotten, so the application never
// deletes it twice; a new one is made when the application next falls back to it.
OMMenubar::~OMMenubar() {
    if (theApp && theApp->menubar == this) {
        theApp->rebuildMenubar();
    } else if (defaultMenubar() == this) {
        defaultMenubar() = nullptr;
    }
    DestroyMenu(hmenu);
}

void OMMenubar::renumber() {}
