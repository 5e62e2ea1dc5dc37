// Memory inside the process that owns a window, for the common-control
// messages whose parameters point to a buffer (SB_GETTEXT, TB_GETBUTTON,
// TB_GETITEMRECT): Wine passes their pointers across processes unchanged.
#pragma once

#include <windows.h>

#include <cstddef>

namespace morvel::e2e {

class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer &) = delete;
    RemoteBuffer &operator=(const RemoteBuffer &) = delete;

    // The buffer's address in the other process, as a message parameter.
    LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
    void Write(const void *data, size_t size);
    void Read(void *data, size_t size) const;

private:
    HANDLE process_ = nullptr;
    void *address_ = nullptr;
    size_t size_ = 0;
};

}  // namespace morvel::e2e
