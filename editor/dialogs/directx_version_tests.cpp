#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "dialogs/directx_version.h"

namespace morvel::dialogs {
namespace {

// Components whose step `failAt` fails (0: none). Keeps what each step
// would hold on the platform, so that the order of the releases shows.
class FakeDirectX : public DirectXComponents {
public:
    explicit FakeDirectX(int failAt = 0) : failAt_(failAt) {}

    bool Run(DirectXStep step) override {
        const int n = static_cast<int>(step);
        steps.push_back(n);
        heldAtStep.push_back(held);
        if (released) ADD_FAILURE() << "step " << n << " after ReleaseAll";
        if (n == 11) held.insert("COM");  // initialised even when the creation fails
        if (n == failAt_) return false;
        switch (step) {
            case DirectXStep::LoadDirectDraw:
                held.insert("ddraw");
                break;
            case DirectXStep::CreateDirectDraw:
                held.insert("DirectDraw");
                break;
            case DirectXStep::LoadDirectInput:
                held.insert("dinput");
                break;
            case DirectXStep::CreatePrimarySurface:
                held.insert("surface");
                break;
            case DirectXStep::CreateDirectMusic:
                held.insert("DirectMusic");
                break;
            case DirectXStep::CreateDirectDraw7:
                held.insert("DirectDraw7");
                break;
            case DirectXStep::LoadDirect3D8:
                held.insert("d3d8");
                break;
            default:
                break;
        }
        return true;
    }
    void Release(DirectXRelease what) override {
        switch (what) {
            case DirectXRelease::DirectInputLibrary:
                Drop({"dinput"});
                break;
            case DirectXRelease::SurfaceAndDirectDraw:
                Drop({"surface", "DirectDraw"});
                break;
            case DirectXRelease::DirectMusicAndCom:
                Drop({"DirectMusic", "COM"});
                break;
            case DirectXRelease::DirectDraw7:
                Drop({"DirectDraw7"});
                break;
        }
    }
    void ReleaseAll() override {
        ++releaseAllCalls;
        released = true;
        held.clear();
    }
    void DebugText(const char *text) override { texts.push_back(text); }

    std::vector<int> steps;
    std::vector<std::set<std::string>> heldAtStep;  // before each step ran
    std::set<std::string> held;
    std::vector<std::string> texts;
    int releaseAllCalls = 0;
    bool released = false;

private:
    void Drop(std::initializer_list<const char *> names) {
        for (const char *name : names) {
            if (held.erase(name) == 0) ADD_FAILURE() << "released " << name << ", never held";
        }
    }
    int failAt_;
};

std::vector<int> StepsUpTo(int last) {
    std::vector<int> steps;
    for (int n = 1; n <= last; ++n) steps.push_back(n);
    return steps;
}

TEST(DirectXVersionTest, EachFailingStepEndsTheProbeWithItsValueAndText) {
    const struct {
        int failAt;
        uint32_t version;
        const char *text;  // nullptr: none
    } cases[] = {
        {1, 0, nullptr},
        {2, 0, "Couldn't LoadLibrary DDraw\r\n"},
        {3, 0, "Couldn't create DDraw\r\n"},
        {4, 0x100, "Couldn't QI DDraw2\r\n"},
        {5, 0x200, "Couldn't LoadLibrary DInput\r\n"},
        {6, 0x200, "Couldn't GetProcAddress DInputCreate\r\n"},
        // DirectDraw and DirectInput were found, yet these two report nothing.
        {7, 0, "Couldn't Set coop level\r\n"},
        {8, 0, "Couldn't CreateSurface\r\n"},
        {9, 0x300, nullptr},
        {10, 0x500, nullptr},
        {11, 0x600, "Couldn't create CLSID_DirectMusic\r\n"},
        {12, 0x601, nullptr},
        {13, 0x601, nullptr},
        {14, 0x700, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("failing step " + std::to_string(c.failAt));
        FakeDirectX directX(c.failAt);
        EXPECT_EQ(DetectDirectXVersion(directX), c.version);
        EXPECT_EQ(directX.steps, StepsUpTo(c.failAt)) << "nothing runs after the failure";
        const std::vector<std::string> texts =
            c.text ? std::vector<std::string>{c.text} : std::vector<std::string>{};
        EXPECT_EQ(directX.texts, texts);
        EXPECT_EQ(directX.releaseAllCalls, 1) << "everything given back on this path too";
    }
}

TEST(DirectXVersionTest, EveryComponentPresentIsVersion8) {
    FakeDirectX directX;
    const uint32_t version = DetectDirectXVersion(directX);
    EXPECT_EQ(version, 0x800u);
    EXPECT_EQ(DirectXMajor(version), 8);
    EXPECT_EQ(DirectXMinor(version), 0);
    EXPECT_EQ(directX.steps, StepsUpTo(kDirectXStepCount));
    EXPECT_TRUE(directX.texts.empty());
    EXPECT_EQ(directX.releaseAllCalls, 1);
}

TEST(DirectXVersionTest, ComponentsAreGivenBackAsSoonAsTheProbeIsDoneWithThem) {
    FakeDirectX directX;
    DetectDirectXVersion(directX);
    const auto heldBefore = [&](int step) { return directX.heldAtStep[step - 1]; };
    using Held = std::set<std::string>;
    EXPECT_EQ(heldBefore(6), (Held{"ddraw", "DirectDraw", "dinput"}));
    EXPECT_EQ(heldBefore(7), (Held{"ddraw", "DirectDraw"})) << "DirectInput freed after its entry";
    EXPECT_EQ(heldBefore(10), (Held{"ddraw", "DirectDraw", "surface"}));
    EXPECT_EQ(heldBefore(11), (Held{"ddraw"})) << "surface and DirectDraw released";
    EXPECT_EQ(heldBefore(12), (Held{"ddraw"})) << "DirectMusic released, COM uninitialised";
    EXPECT_EQ(heldBefore(14), (Held{"ddraw"})) << "the DirectDraw 7 object released";
}

}  // namespace
}  // namespace morvel::dialogs
