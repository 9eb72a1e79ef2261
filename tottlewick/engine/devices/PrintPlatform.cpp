// The real platform calls behind the print seam.
#include "PrintPlatform.h"

namespace {

const PrintPlatform kRealPlatform = {GetProfileStringA, OpenPrinterA, GetPrinterA, DocumentPropertiesA,
                                     ClosePrinter,      CreateDCA,    SetAbortProc, StartDocA,
                                     StartPage,         EndPage,      EndDoc,       GetDeviceCaps};

PrintPlatform current = kRealPlatform;

}  // namespace

const PrintPlatform& PrintGetPlatform() {
    return current;
}

PrintPlatform PrintSetPlatform(const PrintPlatform* platform) {
    const PrintPlatform previous = current;
    current = platform ? *platform : kRealPlatform;
    return previous;
}
