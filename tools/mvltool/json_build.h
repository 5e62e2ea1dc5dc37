// mvltool build without the command line: JSON text to a motion document.
// A library function, so the fuzzer reaches the same code as the tool.
#pragma once

#include <string>

#include "mvllib/mvllib.h"

namespace mvltool {

// Fills document (initialised, with no tables) from the JSON text. On
// failure returns false with one line that names the offending field, and
// the document is left as it was.
bool DocumentFromJsonText(const std::string &text, MotionDocument &document, std::string &error);

}  // namespace mvltool
