// The descriptor file's script face: the read-only property exitButtonID.
#pragma once

#include "OMSR.h"
#include "OMScriptableObject.h"

class DescriptorFile;

class RDescriptorFile : public OMScriptableObject {
public:
    RDescriptorFile();

    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;

    DescriptorFile* descriptor;
    // The class's registry record ("RDescriptorFile"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    // Parameter 1 of "ExitButton" as "%d".
    void getExitButtonID(OMArg buffer);
};
