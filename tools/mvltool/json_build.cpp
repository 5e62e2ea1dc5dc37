#include "json_build.h"

#include <new>
#include <nlohmann/json.hpp>

#include "document_json.h"

namespace mvltool {

bool DocumentFromJsonText(const std::string &text, MotionDocument &document, std::string &error) {
    try {
        const nlohmann::ordered_json json = nlohmann::ordered_json::parse(text, nullptr, false);
        if (json.is_discarded()) {
            error = "not valid JSON";
            return false;
        }
        return JsonToDocument(json, document, error);
    } catch (const std::bad_alloc &) {
        error = "out of memory";
        return false;
    }
}

}  // namespace mvltool
