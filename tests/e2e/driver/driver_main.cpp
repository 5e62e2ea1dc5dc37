// morvel_driver: reads one JSON command per line on stdin and answers one
// JSON line per command on stdout, e.g.
//   {"cmd": "wait_window", "class": "DX8 Main Window", "timeout_ms": 20000}
//   {"ok": true, "window": {"hwnd": 65620, "title": "...", ...}, ...}
// It runs in the same Wine prefix as the program under test, since windows
// are visible only to processes of the same wineserver.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "driver_command.h"

namespace {

using morvel::e2e::CommandTable;
using morvel::e2e::Json;

Json Commands(const Json &, const CommandTable &table) {
    Json names = Json::array();
    for (const auto &entry : table) names.push_back(entry.first);
    return {{"commands", names}};
}

Json Answer(const std::string &line, const CommandTable &table) {
    Json request;
    try {
        request = Json::parse(line);
    } catch (const Json::exception &error) {
        return {{"ok", false}, {"error", std::string("not JSON: ") + error.what()}};
    }
    if (!request.is_object() || !request.contains("cmd") || !request["cmd"].is_string()) {
        return {{"ok", false}, {"error", "a command is an object with a \"cmd\" text"}};
    }
    const std::string name = request["cmd"].get<std::string>();
    Json answer;
    try {
        if (name == "commands") {
            answer = Commands(request, table);
        } else {
            const auto found = table.find(name);
            if (found == table.end()) throw morvel::e2e::CommandError("unknown command " + name);
            answer = found->second(request);
        }
        answer["ok"] = true;
    } catch (const morvel::e2e::CommandError &error) {
        answer = {{"ok", false}, {"error", error.what()}};
    } catch (const Json::exception &error) {
        answer = {{"ok", false}, {"error", std::string("bad arguments: ") + error.what()}};
    }
    answer["cmd"] = name;
    if (request.contains("seq")) answer["seq"] = request["seq"];
    return answer;
}

}  // namespace

int main() {
    // Bytes in and out as they are: the protocol is UTF-8 with \n line ends.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    CommandTable table;
    morvel::e2e::AddWindowCommands(table);
    morvel::e2e::AddControlCommands(table);
    morvel::e2e::AddBarCommands(table);
    morvel::e2e::AddMenuCommands(table);
    morvel::e2e::AddChooserCommands(table);
    morvel::e2e::AddRegistryCommands(table);
    morvel::e2e::AddFileCommands(table);

    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line == "quit") break;
        const std::string out =
            Answer(line, table).dump(-1, ' ', false, Json::error_handler_t::replace);
        std::fwrite(out.data(), 1, out.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    return 0;
}
