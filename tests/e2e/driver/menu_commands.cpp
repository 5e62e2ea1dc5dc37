// The menu bar of a window as a tree of items (text, id, grayed, checked,
// the place on the screen of those shown now), and the open pop-up menus.
// Under Wine GetMenuItemCount fails on another process's menu, so the
// program's own process reads it (in_process_query.h).
#include "in_process_query.h"
#include "window_access.h"

namespace morvel::e2e {
namespace {

Json Menu(const Json &request) {
    HWND window = WindowArg(request);
    Json answer = Json::parse(AskInProcess(window, InProcessQuery::kMenu));
    if (answer.contains("error")) throw CommandError(answer["error"].get<std::string>());
    return answer;
}

}  // namespace

void AddMenuCommands(CommandTable &table) {
    table["menu"] = Menu;
}

}  // namespace morvel::e2e
