// The init/term list and its two walks.
#include "OMAppInitTerm.h"

OMList<OMAppInitTerm>*& initTermList() {
    // Constant-initialised, so it is valid whichever static initialiser registers first.
    static OMList<OMAppInitTerm>* list = nullptr;
    return list;
}

void registerInitTerm(OMAppInitTerm* record) {
    OMList<OMAppInitTerm>*& list = initTermList();
    if (!list) list = new OMList<OMAppInitTerm>();
    list->append(record);
}

void runInitFunctions() {
    if (!initTermList()) return;
    for (OMListElement<OMAppInitTerm>* n = initTermList()->head; n; n = n->next) {
        if (n->element->init) n->element->init();
    }
}

void runTermFunctions() {
    OMList<OMAppInitTerm>*& list = initTermList();
    if (!list) return;
    for (OMListElement<OMAppInitTerm>* n = list->head; n; n = n->next) {
        if (n->element->term) n->element->term();
    }
    list->clear(false);
    delete list;
    list = nullptr;
}
