// The script class over the current descriptor file.
#include "RDescriptorFile.h"

#include "DescriptorFile.h"
#include "OMTrinket.h"

namespace {

OMScriptableObject* makeDescriptorObject() { return new RDescriptorFile; }

}  // namespace

OMSR RDescriptorFile::classRecord{"RDescriptorFile", makeDescriptorObject};

RDescriptorFile::RDescriptorFile() : descriptor(currentDescriptorFile()) {}

void RDescriptorFile::registerProperties() {
    const OMLinkToFct ignore(readOnlySetter);
    const OMLinkToObj<RDescriptorFile> get(this, nullptr, &RDescriptorFile::getExitButtonID);
    addDataProperty("exitButtonID", &ignore, &get);
}

void RDescriptorFile::getExitButtonID(OMArg buffer) {
    writeInteger(buffer, descriptor ? descriptor->intParam("ExitButton", 1) : 0);
}
