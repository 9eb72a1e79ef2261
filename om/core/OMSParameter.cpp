// The call-parameter list, held in the shared object-model state.
#include "OMSParameter.h"

#include <cstring>

#include "OMGlobals.h"

OMSParameter::OMSParameter(const char* value) : text_(new char[std::strlen(value) + 1]) {
    std::strcpy(text_.get(), value);
}

bool isParameterEnd(const char* text) { return !text || text[0] == '\x01'; }

void createParameterList() {
    OMGlobals& g = omGlobals();
    if (g.parameters) return;
    g.parameters = new OMList<OMSParameter>();
    g.cursor = new OMListLocator<OMSParameter>(*g.parameters);
}

void destroyParameterList() {
    OMGlobals& g = omGlobals();
    if (!g.parameters) return;
    g.parameters->clear(true);
    delete g.cursor;
    delete g.parameters;
    g.cursor = nullptr;
    g.parameters = nullptr;
}

// A clear leaves the cursor where it was, as the protocol says; it is kept off the freed nodes so that
// a pop without rewind reads past the end instead of a deleted parameter.
void clearParameters() {
    OMGlobals& g = omGlobals();
    if (!g.parameters) return;
    g.parameters->clear(true);
    g.cursor->node = nullptr;
}

bool pushParameter(const char* text) {
    if (!text) return false;
    createParameterList();
    omGlobals().parameters->append(new OMSParameter(text));
    return true;
}

void rewindParameters() {
    OMGlobals& g = omGlobals();
    if (g.cursor) g.cursor->toHead();
}

const char* popParameter() {
    OMGlobals& g = omGlobals();
    if (!g.cursor) return "";
    OMSParameter* parameter = g.cursor->current();
    if (!parameter) return "";
    (*g.cursor)++;
    return parameter->text();
}
