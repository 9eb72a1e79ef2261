// The library's trace texts ("* ", "** ", "*** ") and error reports. Tracing writes nothing: the
// calls name the steps and keep their texts in one place.
#pragma once

#if defined(__GNUC__)
#define DSS_PRINTF_LIKE __attribute__((format(printf, 1, 2)))
#else
#define DSS_PRINTF_LIKE
#endif

void dssTrace(const char* format, ...) DSS_PRINTF_LIKE;
// Formats with printf rules into the library's error buffer and traces it as "Error: %s\n".
void dssError(const char* format, ...) DSS_PRINTF_LIKE;
