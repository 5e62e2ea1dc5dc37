#include "remote_buffer.h"

#include <string>

#include "driver_command.h"

namespace morvel::e2e {

RemoteBuffer::RemoteBuffer(HWND owner, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    process_ = OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, pid);
    if (!process_) {
        throw CommandError("cannot open process " + std::to_string(pid) + ", error " +
                           std::to_string(GetLastError()));
    }
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address_) {
        const DWORD error = GetLastError();
        CloseHandle(process_);
        throw CommandError("cannot allocate in process " + std::to_string(pid) + ", error " +
                           std::to_string(error));
    }
}

RemoteBuffer::~RemoteBuffer() {
    VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    CloseHandle(process_);
}

void RemoteBuffer::Write(const void *data, size_t size) {
    SIZE_T written = 0;
    if (size > size_ || !WriteProcessMemory(process_, address_, data, size, &written) ||
        written != size) {
        throw CommandError("cannot write the other process's memory");
    }
}

void RemoteBuffer::Read(void *data, size_t size) const {
    SIZE_T read = 0;
    if (size > size_ || !ReadProcessMemory(process_, address_, data, size, &read) || read != size) {
        throw CommandError("cannot read the other process's memory");
    }
}

}  // namespace morvel::e2e
