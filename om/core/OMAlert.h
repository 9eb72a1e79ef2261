// Message boxes pass through one replaceable sink, so that tests turn them into log lines and an
// unattended run never blocks on a modal box. The platform layer installs the real message box.
#pragma once

// Shows `text` with the message-box `flags` and `title`; returns the button pressed (1 = OK).
using OMAlertSink = int (*)(const char* text, unsigned flags, const char* title);

// Installs `sink` (null restores the default, which writes "title: text" to standard error and
// answers OK); returns the sink it replaces.
OMAlertSink omSetAlertSink(OMAlertSink sink);

int omAlert(const char* text, unsigned flags, const char* title);
