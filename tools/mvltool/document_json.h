// A motion document as JSON: every header field and every record, texts in
// UTF-8. A text field whose bytes would not come back unchanged (no NUL,
// bytes after the NUL, or no UTF-8 form) is written as {"bytes": "hex"}, and
// a double that JSON cannot hold (infinity, NaN) as a "0x..." bit pattern,
// so that JSON -> document reproduces every byte the motion file keeps.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "mvllib/mvllib.h"

namespace mvltool {

nlohmann::ordered_json DocumentToJson(const MotionDocument &document);

// Fills document (an initialised, empty one) from json; on failure returns
// false with a message that names the offending field.
bool JsonToDocument(const nlohmann::ordered_json &json, MotionDocument &document,
                    std::string &error);

}  // namespace mvltool
