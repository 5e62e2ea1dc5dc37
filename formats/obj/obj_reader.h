// OBJ files through tinyobjloader (Debian's libtinyobjloader-dev). Material
// libraries and textures are looked for beside the OBJ file only: a name
// that climbs out ("../"), is absolute or names a drive is refused.
#pragma once

#include <string>

#include "formats/obj/obj_data.h"

namespace morvel::formats::obj {

// mtlText: the material libraries' text, one after the other.
bool ReadObj(const std::string &objText, const std::string &mtlText, Document &out, std::string &error);

// The file and the libraries its mtllib lines name, from its folder.
bool ReadObjFile(const std::string &hostPath, Document &out, std::string &error);

// True for a relative name that stays in the file's folder.
bool IsContainedName(const std::string &name);

// Reads a whole file of at most maxBytes.
bool ReadTextFile(const std::string &hostPath, size_t maxBytes, std::string &out);

}  // namespace morvel::formats::obj
