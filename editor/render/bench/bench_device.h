// The device the benchmark draws on: the null device natively, Direct3D 8
// in a window of its own on Windows.
#pragma once

#include "render/render_device.h"

namespace morvel::render::bench {

RenderSystemFactory BenchDeviceFactory();
void *BenchWindow();

}  // namespace morvel::render::bench
