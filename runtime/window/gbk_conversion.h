#pragma once
// GBK (code page 936) at the program's side, the toolkit's Unicode at the
// controls.

#include <QString>
#include <string_view>

#include "runtime/text/text.h"

// Bytes that are no GBK character show as U+FFFD, one per byte.
QString GbkToQString(std::string_view gbk);

// A character that GBK cannot hold becomes "?"; nothing else is lost. The
// empty string gives the absent text.
Text QStringToGbk(const QString& text);
