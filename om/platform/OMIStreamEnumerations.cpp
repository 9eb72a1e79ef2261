// The stream class's forwarders to the enumerations of resource modules.
#include "OMIStream.h"
#include "OMRes.h"

namespace {

// A file without a module reads the program's own; the enumeration results outlive it.
template <class Enumerate>
void enumerateIn(OMResFile* file, Enumerate enumerate) {
    if (file) {
        enumerate(*file);
        return;
    }
    OMResFile own(nullptr);
    enumerate(own);
}

}  // namespace

void OMIStream::enumResourceIDs(OMResFile* file, const char* typeName, std::uint16_t** ids, std::int32_t* count) {
    enumerateIn(file, [&](OMResFile& f) { f.enumResourceIDs(typeName, ids, count); });
}

void OMIStream::enumResourceTypes(OMResFile* file, char*** names, std::int32_t* count) {
    enumerateIn(file, [&](OMResFile& f) { f.enumResourceTypes(names, count); });
}
