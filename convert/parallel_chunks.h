// Work split into consecutive chunks that run on threads of their own: a big
// import converts its meshes and samples its frames on every core.
#pragma once

#include <cstddef>
#include <functional>

namespace morvel::convert {

// How many chunks RunInChunks makes of count items: one per hardware thread
// at most, none smaller than minChunk items, and at least one.
size_t ChunkCount(size_t count, size_t minChunk);

// Calls job(chunk, begin, end) for the chunks of [0, count) in ascending
// order of begin, chunk 0 on the calling thread, and returns when all have
// ended. An exception a chunk throws is thrown here, the lowest chunk's.
void RunInChunks(size_t count, size_t chunks, const std::function<void(size_t, size_t, size_t)> &job);

}  // namespace morvel::convert
