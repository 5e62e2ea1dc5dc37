// The driver's command table: each command takes the request's JSON object
// and returns the fields of its answer; failures throw CommandError, which
// the main loop turns into {"ok": false, "error": ...}.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

namespace morvel::e2e {

using Json = nlohmann::json;

struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using CommandHandler = Json (*)(const Json &request);
using CommandTable = std::map<std::string, CommandHandler>;

void AddWindowCommands(CommandTable &table);
void AddControlCommands(CommandTable &table);
void AddBarCommands(CommandTable &table);
void AddMenuCommands(CommandTable &table);
void AddChooserCommands(CommandTable &table);
void AddRegistryCommands(CommandTable &table);
void AddFileCommands(CommandTable &table);

}  // namespace morvel::e2e
