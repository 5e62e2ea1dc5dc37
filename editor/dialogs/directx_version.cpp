#include "dialogs/directx_version.h"

#include <optional>

namespace morvel::dialogs {

namespace {

constexpr uint32_t kKeepValue = 0xFFFFFFFF;
constexpr std::nullopt_t kNoRelease = std::nullopt;

struct StepRule {
    DirectXStep step;
    uint32_t onSuccess;  // the value reached, or kKeepValue
    std::optional<DirectXRelease> releaseAfter;
    uint32_t onFailure;       // the probe's result when the step fails
    const char *failureText;  // debugger output on failure, or nullptr
};

// A failing cooperative level or primary surface gives 0, not the 0x300 the
// earlier steps reached: without a surface nothing after DirectX 3 is usable.
const StepRule kRules[kDirectXStepCount] = {
    {DirectXStep::LoadDirectDraw, kKeepValue, kNoRelease, 0, nullptr},
    {DirectXStep::FindDirectDrawCreate, kKeepValue, kNoRelease, 0,
     "Couldn't LoadLibrary DDraw\r\n"},
    {DirectXStep::CreateDirectDraw, 0x100, kNoRelease, 0, "Couldn't create DDraw\r\n"},
    {DirectXStep::QueryDirectDraw2, 0x200, kNoRelease, 0x100, "Couldn't QI DDraw2\r\n"},
    {DirectXStep::LoadDirectInput, kKeepValue, kNoRelease, 0x200,
     "Couldn't LoadLibrary DInput\r\n"},
    {DirectXStep::FindDirectInputCreate, 0x300, DirectXRelease::DirectInputLibrary, 0x200,
     "Couldn't GetProcAddress DInputCreate\r\n"},
    {DirectXStep::SetCooperativeLevel, kKeepValue, kNoRelease, 0, "Couldn't Set coop level\r\n"},
    {DirectXStep::CreatePrimarySurface, kKeepValue, kNoRelease, 0, "Couldn't CreateSurface\r\n"},
    {DirectXStep::QuerySurface3, 0x500, kNoRelease, 0x300, nullptr},
    {DirectXStep::QuerySurface4, 0x600, DirectXRelease::SurfaceAndDirectDraw, 0x500, nullptr},
    {DirectXStep::CreateDirectMusic, 0x601, DirectXRelease::DirectMusicAndCom, 0x600,
     "Couldn't create CLSID_DirectMusic\r\n"},
    {DirectXStep::FindDirectDrawCreateEx, kKeepValue, kNoRelease, 0x601, nullptr},
    {DirectXStep::CreateDirectDraw7, 0x700, DirectXRelease::DirectDraw7, 0x601, nullptr},
    {DirectXStep::LoadDirect3D8, 0x800, kNoRelease, 0x700, nullptr},
};

uint32_t RunSteps(DirectXComponents &components) {
    uint32_t version = 0;
    for (const StepRule &rule : kRules) {
        if (!components.Run(rule.step)) {
            if (rule.failureText != nullptr) components.DebugText(rule.failureText);
            return rule.onFailure;
        }
        if (rule.onSuccess != kKeepValue) version = rule.onSuccess;
        if (rule.releaseAfter) components.Release(*rule.releaseAfter);
    }
    return version;
}

}  // namespace

uint32_t DetectDirectXVersion(DirectXComponents &components) {
    const uint32_t version = RunSteps(components);
    components.ReleaseAll();
    return version;
}

}  // namespace morvel::dialogs
