#include "convert/parallel_chunks.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace morvel::convert {

size_t ChunkCount(size_t count, size_t minChunk) {
    const size_t cores = std::max<size_t>(1, std::thread::hardware_concurrency());
    return std::clamp<size_t>(count / std::max<size_t>(1, minChunk), 1, cores);
}

void RunInChunks(size_t count, size_t chunks, const std::function<void(size_t, size_t, size_t)> &job) {
    chunks = std::max<size_t>(1, chunks);
    std::vector<std::exception_ptr> failures(chunks);
    auto run = [&](size_t chunk) {
        try {
            job(chunk, count * chunk / chunks, count * (chunk + 1) / chunks);
        } catch (...) {
            failures[chunk] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(chunks);
    for (size_t chunk = 1; chunk < chunks; ++chunk) {
        try {
            threads.emplace_back(run, chunk);
        } catch (const std::system_error &) {
            run(chunk);  // no thread to be had: the work still gets done
        }
    }
    run(0);
    for (std::thread &thread : threads) thread.join();
    for (const std::exception_ptr &failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

}  // namespace morvel::convert
