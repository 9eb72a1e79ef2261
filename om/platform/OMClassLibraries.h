// Loading of class plug-in libraries (".lrn" files) through LoadLibraryA, installed into the registry.
#pragma once

// Makes the class registry load plug-ins with LoadLibraryA and find them with the "*.lrn" folder scan.
// The application calls it once at start-up.
void installClassLibraryLoader();
