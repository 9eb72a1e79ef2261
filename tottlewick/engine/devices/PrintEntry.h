// The default printer's profile entry, "name,driver,port": split in place into its three parts.
#pragma once

struct PrintEntryParts {
    const char* name = nullptr;
    const char* driver = nullptr;
    const char* port = nullptr;
};

// Cuts entry at its commas (leading blanks of each part skipped); false unless all three parts are there.
[[nodiscard]] bool PrintSplitEntry(char* entry, PrintEntryParts& parts);
