#include "dialogs/win32/frame_strip_control.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>

#include "dialogs/timeline_window_ids.h"

namespace morvel::dialogs::win32 {
namespace {

// Pixels the pointer moves with the button down before a click becomes a drag.
constexpr int kDragThreshold = 4;

constexpr COLORREF kCellBackground = RGB(248, 248, 248);
constexpr COLORREF kSelectedBackground = RGB(198, 222, 255);
constexpr COLORREF kPlayingMark = RGB(230, 80, 40);
constexpr COLORREF kGridLine = RGB(170, 170, 170);
constexpr COLORREF kDropMark = RGB(20, 90, 200);

struct Strip {
    std::vector<app::StripCell> cells;
    int scroll = 0;           // pixels scrolled to the left
    int pressedCell = -1;     // the cell the left button went down on
    POINT pressedAt{0, 0};
    bool dragging = false;
    int dropCell = -1;
};

Strip *StripOf(HWND window) { return reinterpret_cast<Strip *>(GetWindowLongPtrA(window, 0)); }

int ClientWidth(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return client.right;
}

int MaxScroll(HWND window, const Strip &strip) {
    return std::max(0, static_cast<int>(strip.cells.size()) * kStripCellWidth - ClientWidth(window));
}

void UpdateScrollBar(HWND window, Strip &strip) {
    strip.scroll = std::clamp(strip.scroll, 0, MaxScroll(window, strip));
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                    std::max(0, static_cast<int>(strip.cells.size()) * kStripCellWidth - 1),
                    static_cast<UINT>(ClientWidth(window)), strip.scroll, 0};
    SetScrollInfo(window, SB_HORZ, &info, TRUE);
}

void ScrollTo(HWND window, Strip &strip, int scroll) {
    strip.scroll = std::clamp(scroll, 0, MaxScroll(window, strip));
    UpdateScrollBar(window, strip);
    InvalidateRect(window, nullptr, FALSE);
}

// The cell under client x, or -1 past the last one.
int CellAt(const Strip &strip, int x) {
    const int cell = (x + strip.scroll) / kStripCellWidth;
    return x >= 0 && cell < static_cast<int>(strip.cells.size()) ? cell : -1;
}

void Notify(HWND window, UINT code, int cell, int target) {
    FrameStripNotify notify{{window, static_cast<UINT_PTR>(GetDlgCtrlID(window)), code}, cell, target};
    SendMessageA(GetParent(window), WM_NOTIFY, notify.header.idFrom, reinterpret_cast<LPARAM>(&notify));
}

void DrawCell(HDC dc, const RECT &box, const app::StripCell &cell, int lineHeight) {
    HBRUSH background = CreateSolidBrush(cell.selected ? kSelectedBackground : kCellBackground);
    FillRect(dc, &box, background);
    DeleteObject(background);
    HPEN grid = CreatePen(PS_SOLID, 1, kGridLine);
    HGDIOBJ oldPen = SelectObject(dc, grid);
    MoveToEx(dc, box.right - 1, box.top, nullptr);
    LineTo(dc, box.right - 1, box.bottom);
    SelectObject(dc, oldPen);
    DeleteObject(grid);
    if (cell.playing) {
        RECT mark{box.left + 1, box.top, box.right - 2, box.top + 5};
        HBRUSH brush = CreateSolidBrush(kPlayingMark);
        FillRect(dc, &mark, brush);
        DeleteObject(brush);
    }
    for (int line = 0; line < 3; ++line) {
        RECT text{box.left + 6, box.top + 8 + line * lineHeight, box.right - 4,
                  box.top + 8 + (line + 1) * lineHeight};
        DrawTextA(dc, cell.lines[line].c_str(), -1, &text,
                  DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

void Paint(HWND window, Strip &strip) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    // Drawn off screen, then copied: no flicker while playback moves the mark.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetParent(window), WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const int first = strip.scroll / kStripCellWidth;
    for (int i = first; i < static_cast<int>(strip.cells.size()); ++i) {
        const int left = i * kStripCellWidth - strip.scroll;
        if (left >= client.right) break;
        DrawCell(dc, RECT{left, 0, left + kStripCellWidth, client.bottom}, strip.cells[i],
                 metrics.tmHeight + 2);
    }
    if (strip.dragging && strip.dropCell >= 0) {
        // The dropped frame takes the drop cell's place: the bar marks the
        // side it goes in on.
        const int edge = (strip.dropCell + (strip.dropCell > strip.pressedCell ? 1 : 0)) * kStripCellWidth - strip.scroll;
        RECT bar{edge - 2, 0, edge + 2, client.bottom};
        HBRUSH brush = CreateSolidBrush(kDropMark);
        FillRect(dc, &bar, brush);
        DeleteObject(brush);
    }
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    if (oldFont != nullptr) SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EndPaint(window, &paint);
}

void SetCells(HWND window, Strip &strip, const std::vector<app::StripCell> &cells, int visible) {
    strip.cells = cells;
    UpdateScrollBar(window, strip);
    if (visible >= 0) {
        const int left = visible * kStripCellWidth;
        if (left < strip.scroll) {
            strip.scroll = left;
        } else if (left + kStripCellWidth > strip.scroll + ClientWidth(window)) {
            strip.scroll = left + kStripCellWidth - ClientWidth(window);
        }
        UpdateScrollBar(window, strip);
    }
    InvalidateRect(window, nullptr, FALSE);
}

void HorizontalScroll(HWND window, Strip &strip, int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, SB_HORZ, &info);
    int scroll = strip.scroll;
    switch (request) {
        case SB_LINELEFT: scroll -= kStripCellWidth; break;
        case SB_LINERIGHT: scroll += kStripCellWidth; break;
        case SB_PAGELEFT: scroll -= static_cast<int>(info.nPage); break;
        case SB_PAGERIGHT: scroll += static_cast<int>(info.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: scroll = info.nTrackPos; break;
        case SB_LEFT: scroll = 0; break;
        case SB_RIGHT: scroll = MaxScroll(window, strip); break;
        default: return;
    }
    ScrollTo(window, strip, scroll);
}

LRESULT CALLBACK StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(new Strip));
    Strip *strip = StripOf(window);
    if (strip == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_NCDESTROY:
            delete strip;
            SetWindowLongPtrA(window, 0, 0);
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: Paint(window, *strip); return 0;
        case WM_SIZE: UpdateScrollBar(window, *strip); InvalidateRect(window, nullptr, FALSE); return 0;
        case WM_HSCROLL: HorizontalScroll(window, *strip, LOWORD(wParam)); return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(window, *strip, strip->scroll - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kStripCellWidth);
            return 0;
        case kStripSetCells:
            SetCells(window, *strip, *reinterpret_cast<const std::vector<app::StripCell> *>(lParam),
                     static_cast<int>(wParam));
            return 0;
        case kStripCellCenter: {
            const int cell = static_cast<int>(wParam);
            const int left = cell * kStripCellWidth - strip->scroll;
            RECT client;
            GetClientRect(window, &client);
            if (cell < 0 || cell >= static_cast<int>(strip->cells.size()) || left < 0 ||
                left + kStripCellWidth > client.right) {
                return -1;
            }
            return MAKELRESULT(left + kStripCellWidth / 2, client.bottom / 2);
        }
        case WM_LBUTTONDOWN:
            strip->pressedCell = CellAt(*strip, GET_X_LPARAM(lParam));
            strip->pressedAt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            strip->dragging = false;
            strip->dropCell = -1;
            SetCapture(window);
            return 0;
        case WM_MOUSEMOVE: {
            if (GetCapture() != window || strip->pressedCell < 0) return 0;
            const int x = GET_X_LPARAM(lParam);
            if (!strip->dragging && std::abs(x - strip->pressedAt.x) < kDragThreshold) return 0;
            strip->dragging = true;
            const int last = static_cast<int>(strip->cells.size()) - 1;
            strip->dropCell = std::clamp((x + strip->scroll) / kStripCellWidth, 0, last);
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        }
        case WM_LBUTTONUP: {
            if (GetCapture() != window) return 0;
            const int cell = strip->pressedCell;
            const bool dragged = strip->dragging;
            const int drop = strip->dropCell;
            strip->pressedCell = -1;
            strip->dragging = false;
            strip->dropCell = -1;
            ReleaseCapture();
            InvalidateRect(window, nullptr, FALSE);
            if (cell < 0) return 0;
            if (!dragged) {
                Notify(window, kStripClicked, cell, -1);
            } else if (drop >= 0 && drop != cell) {
                Notify(window, kStripDragged, cell, drop);
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            strip->pressedCell = -1;
            strip->dragging = false;
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_RBUTTONUP:
            Notify(window, kStripContextMenu, CellAt(*strip, GET_X_LPARAM(lParam)), -1);
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterFrameStripClass(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA strip{};
    strip.lpfnWndProc = StripProc;
    strip.cbWndExtra = sizeof(Strip *);
    strip.hInstance = instance;
    strip.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    strip.lpszClassName = MORVEL_FRAME_STRIP_CLASS;
    registered = RegisterClassA(&strip) != 0;
    return registered;
}

}  // namespace morvel::dialogs::win32
