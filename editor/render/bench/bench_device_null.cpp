#include "bench_device.h"
#include "null_device.h"

namespace morvel::render::bench {

RenderSystemFactory BenchDeviceFactory() {
    return [](uint32_t) { return std::make_unique<NullSystem>(); };
}

void *BenchWindow() { return nullptr; }

}  // namespace morvel::render::bench
