// The alert of the application layer as the graphics code needs it, until that layer exists: an
// information box with OK over the product's caption, through the engine's message-box seam.
#pragma once

void graphicsAlert(const char* text);
