// Linked into a test program (the freed_memory library), every block the program's delete frees is filled
// with 0xF0 and the last few thousand small ones are held back from reuse: a call or a read through a freed
// object then faults at once (0xF0F0F0F0 lies above the process's memory), and a write to one shows here.
#pragma once

// True when the freed, held-back `block` still holds nothing but the fill.
bool freedUntouched(const void* block);
