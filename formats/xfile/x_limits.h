// Bounds on what an X file may ask of the reader. They are far above what
// real exporters write and keep a hostile file from exhausting memory or
// the stack.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvel::formats::xfile {

constexpr size_t kMaxNameLength = 1024;           // object and template names, bytes
constexpr size_t kMaxStringLength = 64 * 1024;    // string values, bytes
constexpr int kMaxNestingDepth = 128;             // data objects inside data objects
constexpr uint64_t kMaxFileSize = 1ull << 30;     // bytes read from disk
constexpr uint64_t kMaxInflatedSize = 1ull << 30; // bytes a compressed body may grow to
constexpr uint32_t kMaxMergedVertices = 0x7FFFFFFF;
constexpr uint32_t kMaxMergedFaces = 0x7FFFFFFF;

}  // namespace morvel::formats::xfile
