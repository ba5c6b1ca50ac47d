#pragma once
// The help on download IDs, shown on a press on 标签3.

#include "runtime/text/text.h"

// The help text, with an example page address on ServiceHost.
Text HelpText();

// Shows HelpText in a message box with the default title; returns when the
// user has closed it.
void ShowDownloadIdHelp(int x, int y, int keyState);
