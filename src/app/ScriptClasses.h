// The script classes and action kinds the program offers, linked in from the static libraries.
#pragma once

// Registers the leaf action kinds; false when a class record is missing from the registry.
bool linkScriptClasses();
// Frees the action kinds at the end.
void freeScriptClasses();
