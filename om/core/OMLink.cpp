// The link helpers shared by every receiver of links.
#include "OMLink.h"

void readOnlySetter(OMArg) {}

void replaceLink(OMLink*& held, const OMLink* link) {
    delete held;
    held = link ? link->clone() : nullptr;
}
