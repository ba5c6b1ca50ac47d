#pragma once
// Reading and writing the contents of controls. Safe on any thread: a call
// made elsewhere than on the window's thread hands the change over to it and
// never waits for it, and the writes to one control land in the order they
// were made.

#include "runtime/text/text.h"
#include "runtime/window/form.h"

// The control's text as the user sees it; an empty control gives the absent
// text. A character that GBK cannot hold reads as "?". A multi-line edit box
// gives its line breaks as CR LF.
Text ReadControlText(const Control& control);

// Replaces the control's text; the absent and the empty text both empty it.
void WriteControlText(const Control& control, const Text& text);

// Replaces the picture of a picture box with the picture the bytes hold, or
// with none when they hold no picture that the box can decode.
void WriteControlPicture(const Control& control, const Bytes& bytes);
