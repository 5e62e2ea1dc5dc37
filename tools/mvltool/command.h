// The sub-commands of mvltool. Each returns the process exit status and
// reports errors as one line on stderr.
#pragma once

#include <string>
#include <vector>

namespace mvltool {

using Arguments = std::vector<std::string>;

int RunInfo(const Arguments &args);
int RunImageInfo(const Arguments &args);
int RunXInfo(const Arguments &args);

// Motion files as JSON, and motions in and out of motion export files.
int RunDump(const Arguments &args);
int RunBuild(const Arguments &args);
int RunExport(const Arguments &args);
int RunImport(const Arguments &args);

// The figure and its motions as glTF 2.0, and figures from glTF and OBJ files.
int RunGltf(const Arguments &args);
int RunGltfImport(const Arguments &args);
int RunObjImport(const Arguments &args);

// Why Mvl_Func_Load gave a non-zero result, for error lines.
const char *LoadFailureText(int code);

// "--name value" option lookup; false when the option is absent.
bool TakeOption(Arguments &args, const std::string &name, std::string &value);

int Fail(const std::string &message);

}  // namespace mvltool
