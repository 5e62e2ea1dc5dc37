// Commands on single controls: texts, buttons, check boxes, list and combo
// boxes, and commands, keys and WM_CLOSE posted to a window. Whatever a
// person could not do (clicking a disabled button) is refused, so a scenario
// notices a control in the wrong state instead of forcing its way past it.
#include "text_convert.h"
#include "window_access.h"

namespace morvel::e2e {
namespace {

bool IsClass(HWND window, const wchar_t *name) {
    return _wcsicmp(ClassOf(window).c_str(), name) == 0;
}

void RequireEnabled(HWND control) {
    if (!IsWindowVisible(control)) throw CommandError("the control is hidden");
    if (!IsWindowEnabled(control)) throw CommandError("the control is disabled");
}

Json GetText(const Json &request) {
    return {{"text", WideToUtf8(TextOf(ControlArg(request)))}};
}

Json SetText(const Json &request) {
    HWND control = ControlArg(request);
    RequireEnabled(control);
    const std::wstring text = Utf8ToWide(request.at("text").get<std::string>());
    if (!SendChecked(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) {
        throw CommandError("the control refused the text");
    }
    return {{"text", WideToUtf8(TextOf(control))}};
}

// The button named by "id" or by its text (mnemonic ignored) inside "hwnd".
HWND ButtonArg(const Json &request) {
    if (!request.contains("text")) return ControlArg(request);
    HWND window = WindowArg(request);
    const std::wstring wanted = Utf8ToWide(request["text"].get<std::string>());
    for (HWND child : Descendants(window)) {
        if (IsClass(child, L"Button") && ButtonTextMatches(TextOf(child), wanted)) return child;
    }
    throw CommandError("no button with the text " + request["text"].get<std::string>());
}

Json Click(const Json &request) {
    HWND button = ButtonArg(request);
    RequireEnabled(button);
    // Posted: a click often opens a modal window, and a sent BM_CLICK would
    // only return once that window closed.
    PostChecked(button, BM_CLICK, 0, 0);
    return {{"hwnd", reinterpret_cast<intptr_t>(button)}, {"id", ControlId(button)}};
}

Json IsChecked(const Json &request) {
    const LRESULT state = SendChecked(ControlArg(request), BM_GETCHECK, 0, 0);
    return {{"checked", state == BST_CHECKED}, {"state", state}};
}

Json SetCheck(const Json &request) {
    HWND button = ControlArg(request);
    const bool wanted = request.at("checked").get<bool>();
    RequireEnabled(button);
    // A click, as a person would: the dialog gets BN_CLICKED and radio groups
    // update themselves.
    if ((SendChecked(button, BM_GETCHECK, 0, 0) == BST_CHECKED) != wanted) {
        SendChecked(button, BM_CLICK, 0, 0);
    }
    const bool checked = SendChecked(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (checked != wanted) throw CommandError("a click did not change the check mark");
    return {{"checked", checked}};
}

struct ListMessages {
    UINT count, textLength, text, getSelection, setSelection, selectionChanged, doubleClicked;
};

ListMessages MessagesFor(HWND control) {
    if (IsClass(control, L"ListBox")) {
        return {LB_GETCOUNT,  LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL,
                LB_SETCURSEL, LBN_SELCHANGE, LBN_DBLCLK};
    }
    if (IsClass(control, L"ComboBox")) {
        return {CB_GETCOUNT,  CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETCURSEL,
                CB_SETCURSEL, CBN_SELCHANGE,   CBN_DBLCLK};
    }
    throw CommandError("not a list box or combo box: " + WideToUtf8(ClassOf(control)));
}

Json ListItems(const Json &request) {
    HWND control = ControlArg(request);
    const ListMessages m = MessagesFor(control);
    const LRESULT count = SendChecked(control, m.count, 0, 0);
    Json items = Json::array();
    for (LRESULT row = 0; row < count; ++row) {
        const LRESULT length = SendChecked(control, m.textLength, row, 0);
        if (length < 0) {
            // The window may be refilling the list between our messages.
            if (SendChecked(control, m.count, 0, 0) != count) throw CommandError("the list changed while it was read");
            throw CommandError("the list does not hold texts");
        }
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT copied =
            SendChecked(control, m.text, row, reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied >= 0 && copied <= length ? static_cast<size_t>(copied) : 0);
        items.push_back(WideToUtf8(text));
    }
    Json answer = {{"count", count},
                   {"items", items},
                   {"selection", SendChecked(control, m.getSelection, 0, 0)}};
    // Where rows are, for a scenario that clicks one: the row height and the
    // first row in sight.
    if (m.count == LB_GETCOUNT) {
        answer["item_height"] = SendChecked(control, LB_GETITEMHEIGHT, 0, 0);
        answer["top_index"] = SendChecked(control, LB_GETTOPINDEX, 0, 0);
    }
    return answer;
}

// Selects a row by number or text and tells the parent as a click would.
Json SelectRow(const Json &request, bool doubleClick) {
    HWND control = ControlArg(request);
    RequireEnabled(control);
    const ListMessages m = MessagesFor(control);
    long long row = request.value("row", -1LL);
    if (request.contains("text")) {
        const Json list = ListItems(request);
        const std::string wanted = request["text"].get<std::string>();
        row = -1;
        for (size_t i = 0; i < list["items"].size(); ++i) {
            if (list["items"][i] == wanted) row = static_cast<long long>(i);
        }
        if (row < 0) throw CommandError("no row with the text " + wanted);
    }
    const LRESULT count = SendChecked(control, m.count, 0, 0);
    if (row < 0 || row >= count) {
        throw CommandError("row " + std::to_string(row) + " outside 0.." + std::to_string(count));
    }
    const bool multiple = IsClass(control, L"ListBox") && (GetWindowLongW(control, GWL_STYLE) &
                                                           (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
    if (multiple) {
        SendChecked(control, LB_SETSEL, FALSE, -1);
        SendChecked(control, LB_SETSEL, TRUE, row);
    } else {
        SendChecked(control, m.setSelection, static_cast<WPARAM>(row), 0);
    }
    HWND parent = GetParent(control);
    const WPARAM id = static_cast<WORD>(ControlId(control));
    const LPARAM from = reinterpret_cast<LPARAM>(control);
    SendChecked(parent, WM_COMMAND, MAKEWPARAM(id, m.selectionChanged), from);
    const LRESULT selection = SendChecked(control, m.getSelection, 0, 0);
    if (doubleClick) {
        // Posted, and the last word to the list: a double click usually ends
        // the dialog or opens another one.
        PostChecked(parent, WM_COMMAND, MAKEWPARAM(id, m.doubleClicked), from);
    }
    return {{"selection", selection}};
}

Json SelectRowOnly(const Json &request) {
    return SelectRow(request, false);
}
Json DoubleClickRow(const Json &request) {
    return SelectRow(request, true);
}

// Where a list box row is on the screen, for a real click: fixed-height rows
// from the top row shown. "rect" is null while the row is scrolled out of
// sight; "window" and "client" place the scroll bar's arrows.
Json ListRowRect(const Json &request) {
    HWND control = ControlArg(request);
    if (!IsClass(control, L"ListBox")) throw CommandError("not a list box");
    const LRESULT row = request.at("row").get<LRESULT>();
    const LRESULT count = SendChecked(control, LB_GETCOUNT, 0, 0);
    if (row < 0 || row >= count) {
        throw CommandError("row " + std::to_string(row) + " outside 0.." + std::to_string(count));
    }
    const LRESULT top = SendChecked(control, LB_GETTOPINDEX, 0, 0);
    const LRESULT height = SendChecked(control, LB_GETITEMHEIGHT, 0, 0);
    const RECT client = ClientRectOnScreen(control);
    const LONG rowTop = client.top + static_cast<LONG>((row - top) * height);
    Json rect = nullptr;
    if (row >= top && rowTop + height <= client.bottom) {
        rect = RectJson(RECT{client.left, rowTop, client.right, rowTop + static_cast<LONG>(height)});
    }
    RECT window = {};
    GetWindowRect(control, &window);
    return {{"rect", rect}, {"top_index", top}, {"client", RectJson(client)},
            {"window", RectJson(window)}};
}

// Any message with plain-number parameters, sent; the answer's value.
Json SendPlain(const Json &request) {
    HWND window = ControlArg(request);
    const UINT message = request.at("message").get<UINT>();
    const WPARAM wParam = request.value("wparam", static_cast<WPARAM>(0));
    const LPARAM lParam = request.value("lparam", static_cast<LPARAM>(0));
    return {{"result", static_cast<int64_t>(SendChecked(window, message, wParam, lParam))}};
}

Json PostCommand(const Json &request) {
    HWND window = WindowArg(request);
    const int id = request.at("id").get<int>();
    const int code = request.value("code", 0);
    PostChecked(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), 0);
    return Json::object();
}

Json PostClose(const Json &request) {
    PostChecked(WindowArg(request), WM_CLOSE, 0, 0);
    return Json::object();
}

// A key press posted to one window, without the keyboard state xdotool gives:
// for programs that read only the message's virtual key.
Json PostKey(const Json &request) {
    HWND window = WindowArg(request);
    const UINT vk = request.at("vk").get<UINT>();
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostChecked(window, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostChecked(window, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
    return Json::object();
}

}  // namespace

void AddControlCommands(CommandTable &table) {
    table["get_text"] = GetText;
    table["set_text"] = SetText;
    table["click"] = Click;
    table["is_checked"] = IsChecked;
    table["set_check"] = SetCheck;
    table["list_items"] = ListItems;
    table["select_row"] = SelectRowOnly;
    table["double_click_row"] = DoubleClickRow;
    table["list_row_rect"] = ListRowRect;
    table["send_message"] = SendPlain;
    table["post_command"] = PostCommand;
    table["post_close"] = PostClose;
    table["post_key"] = PostKey;
}

}  // namespace morvel::e2e
