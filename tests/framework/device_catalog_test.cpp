// The device catalog built on the recording backend with made-up adapters:
// which modes survive and in what order, the behaviour and depth format
// chosen, the default selection and the reference-device warnings.
#include "framework/device_catalog.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "framework/graphics_app.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

class CatalogApp : public GraphicsApp {
  public:
    std::function<bool(const D3DCAPS8&, DWORD, D3DFORMAT)> accepts;
    std::vector<DWORD> behaviorsAsked;
    std::vector<std::pair<HRESULT, int>> reports;

    HRESULT acceptDevice(const D3DCAPS8& caps, DWORD behavior, D3DFORMAT format) override {
        behaviorsAsked.push_back(behavior);
        return !accepts || accepts(caps, behavior, format) ? S_OK : E_FAIL;
    }
    HRESULT reportError(HRESULT code, int kind) override {
        reports.emplace_back(code, kind);
        return code;
    }
};

bool rejectsPureDevice(const D3DCAPS8&, DWORD behavior, D3DFORMAT) {
    return !(behavior & D3DCREATE_PUREDEVICE);
}

class DeviceCatalogTest : public ::testing::Test {
  protected:
    HRESULT build() {
        IDirect3D8* direct3d = createRecordingDirect3D(config, log);
        HRESULT hr = app.catalog.build(*direct3d, app);
        direct3d->Release();
        return hr;
    }
    RecordingAdapter& adapter(unsigned i = 0) { return config.adapters[i]; }
    const DeviceInfo& device(unsigned a = 0, unsigned d = 0) {
        return app.catalog.adapters[a].devices[d];
    }
    static std::vector<std::pair<UINT, UINT>> sizes(const DeviceInfo& device, D3DFORMAT format) {
        std::vector<std::pair<UINT, UINT>> result;
        for (unsigned i = 0; i < device.modeCount; ++i)
            if (device.modes[i].format == format)
                result.emplace_back(device.modes[i].width, device.modes[i].height);
        return result;
    }

    CallLog log;
    RecordingConfig config;
    CatalogApp app;
};

TEST_F(DeviceCatalogTest, SmallModesAndRefreshDuplicatesAreDroppedAndFormatsSortDescending) {
    // The standard adapter lists 320x240 up to 1280x1024, each at 60 and 75 Hz.
    ASSERT_EQ(build(), S_OK);
    ASSERT_EQ(app.catalog.adapterCount, 1u);
    const DeviceInfo& hal = device();
    EXPECT_EQ(hal.deviceType, D3DDEVTYPE_HAL);
    EXPECT_STREQ(hal.description, "HAL");
    std::vector<std::pair<UINT, UINT>> expected{{640, 400},  {640, 480},  {800, 600},
                                                {1024, 768}, {1280, 720}, {1280, 1024}};
    ASSERT_EQ(hal.modeCount, 12u);
    for (unsigned i = 0; i < 6; ++i) EXPECT_EQ(hal.modes[i].format, D3DFMT_R5G6B5) << i;
    for (unsigned i = 6; i < 12; ++i) EXPECT_EQ(hal.modes[i].format, D3DFMT_X8R8G8B8) << i;
    EXPECT_EQ(sizes(hal, D3DFMT_R5G6B5), expected);
    EXPECT_EQ(sizes(hal, D3DFMT_X8R8G8B8), expected);
}

TEST_F(DeviceCatalogTest, ModesAreSortedWhateverOrderTheAdapterListsThem) {
    adapter().modes = {{800, 600, 60, D3DFMT_X8R8G8B8}, {640, 480, 60, D3DFMT_R5G6B5},
                       {640, 480, 85, D3DFMT_X8R8G8B8}, {800, 480, 60, D3DFMT_X8R8G8B8},
                       {640, 400, 60, D3DFMT_X8R8G8B8}, {639, 480, 60, D3DFMT_X8R8G8B8},
                       {1024, 399, 60, D3DFMT_X8R8G8B8}};
    ASSERT_EQ(build(), S_OK);
    EXPECT_EQ(sizes(device(), D3DFMT_R5G6B5), (std::vector<std::pair<UINT, UINT>>{{640, 480}}));
    EXPECT_EQ(sizes(device(), D3DFMT_X8R8G8B8),
              (std::vector<std::pair<UINT, UINT>>{{640, 400}, {640, 480}, {800, 480}, {800, 600}}));
    EXPECT_EQ(device().modes[0].format, D3DFMT_R5G6B5);
}

TEST_F(DeviceCatalogTest, CompareModesOrdersFormatDescendingThenWidthThenHeight) {
    D3DDISPLAYMODE r565{640, 480, 60, D3DFMT_R5G6B5}, x888{640, 480, 75, D3DFMT_X8R8G8B8};
    EXPECT_LT(compareModes(r565, x888), 0);
    EXPECT_GT(compareModes(x888, r565), 0);
    EXPECT_EQ(compareModes(x888, {640, 480, 60, D3DFMT_X8R8G8B8}), 0);  // refresh ignored
    EXPECT_LT(compareModes({640, 600, 0, D3DFMT_R5G6B5}, {800, 480, 0, D3DFMT_R5G6B5}), 0);
    EXPECT_LT(compareModes({640, 400, 0, D3DFMT_R5G6B5}, {640, 480, 0, D3DFMT_R5G6B5}), 0);
    // Formats compare as signed numbers: a four-character code above 2^31 comes last.
    D3DDISPLAYMODE large{640, 480, 0, D3DFORMAT(0x80000001u)};
    EXPECT_LT(compareModes(r565, large), 0);
}

TEST_F(DeviceCatalogTest, PureDeviceRejectedByTheAppGivesHardwareVertexProcessing) {
    adapter().hal.caps.DevCaps |= D3DDEVCAPS_PUREDEVICE;
    app.accepts = rejectsPureDevice;
    ASSERT_EQ(build(), S_OK);
    EXPECT_EQ(device().modes[0].behavior, D3DCREATE_HARDWARE_VERTEXPROCESSING);
    ASSERT_GE(app.behaviorsAsked.size(), 2u);
    EXPECT_EQ(app.behaviorsAsked[0], DWORD(0x50));
    EXPECT_EQ(app.behaviorsAsked[1], DWORD(0x40));
}

TEST_F(DeviceCatalogTest, BehaviourFallsBackThroughMixedToSoftware) {
    adapter().hal.caps.DevCaps |= D3DDEVCAPS_PUREDEVICE;
    ASSERT_EQ(build(), S_OK);
    EXPECT_EQ(device().modes[0].behavior, DWORD(0x50)) << "pure device when accepted";

    app.accepts = [](const D3DCAPS8&, DWORD behavior, D3DFORMAT) { return behavior == 0x80; };
    ASSERT_EQ(build(), S_OK);
    EXPECT_EQ(device().modes[0].behavior, D3DCREATE_MIXED_VERTEXPROCESSING);

    app.accepts = [](const D3DCAPS8&, DWORD behavior, D3DFORMAT) { return behavior == 0x20; };
    ASSERT_EQ(build(), S_OK);
    EXPECT_EQ(device().modes[0].behavior, D3DCREATE_SOFTWARE_VERTEXPROCESSING);
}

TEST_F(DeviceCatalogTest, WithoutHardwareTransformOnlySoftwareIsAsked) {
    adapter().hal.caps.DevCaps &= ~D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    adapter().ref.present = false;
    ASSERT_EQ(build(), S_OK);
    EXPECT_EQ(device().modes[0].behavior, D3DCREATE_SOFTWARE_VERTEXPROCESSING);
    for (DWORD behavior : app.behaviorsAsked) EXPECT_EQ(behavior, DWORD(0x20));
}

TEST_F(DeviceCatalogTest, ABehaviourNobodyAcceptsLeavesNoDevice) {
    app.accepts = [](const D3DCAPS8&, DWORD, D3DFORMAT) { return false; };
    EXPECT_EQ(build(), errNoCompatibleDevice);
    EXPECT_EQ(app.catalog.adapterCount, 0u);
}

TEST_F(DeviceCatalogTest, DepthFormatGoesWithEveryMode) {
    app.useDepthBuffer = true;
    adapter().hal.depthFormats = {D3DFMT_D24S8, D3DFMT_D32};
    ASSERT_EQ(build(), S_OK);
    for (unsigned i = 0; i < device().modeCount; ++i)
        EXPECT_EQ(device().modes[i].depthStencilFormat, D3DFMT_D24S8);
}

TEST_F(DeviceCatalogTest, WithoutDepthBufferNoDepthFormatIsChosen) {
    ASSERT_EQ(build(), S_OK);
    EXPECT_EQ(device().modes[0].depthStencilFormat, D3DFMT_UNKNOWN);
    EXPECT_EQ(log.count("CheckDepthStencilMatch"), 0u);
}

TEST_F(DeviceCatalogTest, TwentyFourDepthBitsAndOnlyD16MeansNoModes) {
    app.useDepthBuffer = true;
    app.minDepthBits = 24;
    adapter().hal.depthFormats = {D3DFMT_D16};
    adapter().ref.depthFormats = {D3DFMT_D16};
    EXPECT_EQ(build(), errNoCompatibleDevice);
}

TEST_F(DeviceCatalogTest, DepthCandidatesAreTriedInPreferenceOrder) {
    adapter().hal.depthFormats = {};
    auto triedFormats = [&] {
        std::vector<double> formats;
        for (const RecordedCall& call : log.named("CheckDeviceFormat"))
            formats.push_back(call.args[5]);
        return formats;
    };
    IDirect3D8* direct3d = createRecordingDirect3D(config, log);
    EXPECT_FALSE(chooseDepthFormat(*direct3d, 0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 16, 0).found);
    EXPECT_EQ(triedFormats(), (std::vector<double>{80, 77, 75, 79, 71}));
    log.clear();
    chooseDepthFormat(*direct3d, 0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 24, 0);
    EXPECT_EQ(triedFormats(), (std::vector<double>{77, 75, 79, 71}));
    log.clear();
    chooseDepthFormat(*direct3d, 0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 15, 1);
    EXPECT_EQ(triedFormats(), (std::vector<double>{73, 75, 79}));
    direct3d->Release();
}

TEST_F(DeviceCatalogTest, StencilBitsSelectAStencilFormat) {
    adapter().hal.depthFormats = {D3DFMT_D16, D3DFMT_D15S1, D3DFMT_D24S8};
    IDirect3D8* direct3d = createRecordingDirect3D(config, log);
    DepthFormatChoice choice =
        chooseDepthFormat(*direct3d, 0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 15, 1);
    EXPECT_TRUE(choice.found);
    EXPECT_EQ(choice.format, D3DFMT_D15S1);
    choice = chooseDepthFormat(*direct3d, 0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 16, 8);
    EXPECT_EQ(choice.format, D3DFMT_D24S8);
    direct3d->Release();
}

TEST_F(DeviceCatalogTest, DefaultModeIs640x480In32Bits) {
    ASSERT_EQ(build(), S_OK);
    const ModeInfo& mode = device().modes[device().currentMode];
    EXPECT_EQ(mode.width, 640u);
    EXPECT_EQ(mode.height, 480u);
    EXPECT_EQ(mode.format, D3DFMT_X8R8G8B8);
}

TEST_F(DeviceCatalogTest, DefaultModeFallsBackToTheLast640x480ThenToTheFirstMode) {
    adapter().desktopMode.Format = D3DFMT_R5G6B5;
    adapter().hal.displayFormats = adapter().ref.displayFormats = {D3DFMT_R5G6B5, D3DFMT_X1R5G5B5};
    adapter().modes = {{800, 600, 60, D3DFMT_R5G6B5},
                       {640, 480, 60, D3DFMT_R5G6B5},
                       {640, 480, 60, D3DFMT_X1R5G5B5}};
    ASSERT_EQ(build(), S_OK);
    // Sorted: X1R5G5B5 640x480, R5G6B5 640x480, R5G6B5 800x600.
    EXPECT_EQ(device().currentMode, 1u);

    adapter().modes = {{1024, 768, 60, D3DFMT_R5G6B5}, {800, 600, 60, D3DFMT_R5G6B5}};
    ASSERT_EQ(build(), S_OK);
    EXPECT_EQ(device().currentMode, 0u);
    EXPECT_EQ(device().modes[0].width, 800u);
}

TEST_F(DeviceCatalogTest, DefaultSelectionIsTheFirstWindowedDeviceWithoutWarnings) {
    app.windowed = false;
    ASSERT_EQ(build(), S_OK);
    EXPECT_EQ(app.catalog.adapters[0].deviceCount, 2u);
    EXPECT_EQ(app.catalog.adapters[0].currentDevice, 0u);
    EXPECT_TRUE(device().canDoWindowed);
    EXPECT_TRUE(device().windowed);
    EXPECT_STREQ(device(0, 1).description, "REF");
    EXPECT_EQ(app.currentAdapter, 0u);
    EXPECT_TRUE(app.windowed);
    EXPECT_TRUE(app.reports.empty());
}

struct FallbackCase {
    const char* name;
    std::function<void(RecordingConfig&, CatalogApp&)> arrange;
    HRESULT warning;
};

class ReferenceFallback : public DeviceCatalogTest,
                          public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(ReferenceFallback, ChoosesTheReferenceDeviceAndWarnsWithTheFirstReasonThatApplies) {
    GetParam().arrange(config, app);
    ASSERT_EQ(build(), S_OK);
    const AdapterInfo& adapterInfo = app.catalog.adapters[0];
    EXPECT_EQ(adapterInfo.devices[adapterInfo.currentDevice].deviceType, D3DDEVTYPE_REF);
    ASSERT_EQ(app.reports.size(), 1u);
    EXPECT_EQ(app.reports[0].first, GetParam().warning);
    EXPECT_EQ(app.reports[0].second, errorKindWarning);
}

INSTANTIATE_TEST_SUITE_P(
    Warnings, ReferenceFallback,
    ::testing::Values(
        FallbackCase{"NoHardware",
                     [](RecordingConfig& c, CatalogApp&) { c.adapters[0].hal.present = false; },
                     errNoHardwareDevice},
        FallbackCase{"HardwareWithoutModes",
                     [](RecordingConfig& c, CatalogApp& app) {
                         app.useDepthBuffer = true;
                         c.adapters[0].hal.depthFormats = {};
                     },
                     errHardwareNotCompatible},
        FallbackCase{"HardwareNotWindowed",
                     [](RecordingConfig& c, CatalogApp&) {
                         c.adapters[0].hal.caps.Caps2 &= ~D3DCAPS2_CANRENDERWINDOWED;
                     },
                     errNoWindowedHardware},
        FallbackCase{"HardwareLacksDesktopFormat",
                     [](RecordingConfig& c, CatalogApp&) {
                         c.adapters[0].desktopMode.Format = D3DFMT_R5G6B5;
                         c.adapters[0].hal.displayFormats = {D3DFMT_X8R8G8B8};
                     },
                     errNoDesktopHardware},
        FallbackCase{"HardwareRejectedInDesktopFormat",
                     [](RecordingConfig&, CatalogApp& app) {
                         app.accepts = [](const D3DCAPS8& caps, DWORD, D3DFORMAT format) {
                             return caps.DeviceType != D3DDEVTYPE_HAL || format != D3DFMT_X8R8G8B8;
                         };
                     },
                     errHardwareNotCompatibleInMode}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceCatalogTest, NoUsableDeviceAnywhereIsNoCompatibleDevice) {
    adapter().hal.displayFormats = {};
    adapter().ref.present = false;
    EXPECT_EQ(build(), errNoCompatibleDevice);
    config.adapters.clear();
    EXPECT_EQ(build(), errNoCompatibleDevice);
}

TEST_F(DeviceCatalogTest, FullScreenOnlyDevicesAreNoWindowedDevice) {
    adapter().hal.caps.Caps2 = 0;
    adapter().ref.caps.Caps2 = 0;
    EXPECT_EQ(build(), errNoWindowedDevice);
    EXPECT_EQ(app.catalog.adapterCount, 1u) << "the full-screen modes are still listed";
    EXPECT_FALSE(device().canDoWindowed);
}

TEST_F(DeviceCatalogTest, AnAdapterWithoutDevicesTakesNoEntry) {
    RecordingAdapter useless = standardRecordingAdapter();
    useless.hal.present = useless.ref.present = false;
    RecordingAdapter second = standardRecordingAdapter();
    second.description = "Second adapter";
    config.adapters = {useless, second};
    ASSERT_EQ(build(), S_OK);
    ASSERT_EQ(app.catalog.adapterCount, 1u);
    EXPECT_EQ(app.catalog.adapters[0].ordinal, 1u);
    EXPECT_STREQ(app.catalog.adapters[0].identifier.Description, "Second adapter");
    EXPECT_EQ(app.catalog.adapters[0].desktopMode.Width, 1024u);
}

TEST_F(DeviceCatalogTest, EntriesBeyondTheLimitsAreIgnored) {
    adapter().modes.clear();
    for (UINT i = 0; i < 120; ++i) adapter().modes.push_back({640 + i, 480, 60, D3DFMT_X8R8G8B8});
    config.adapters.resize(12, adapter());
    ASSERT_EQ(build(), S_OK);
    EXPECT_EQ(app.catalog.adapterCount, maxAdapters);
    EXPECT_EQ(device().modeCount, 100u);
    EXPECT_EQ(device().modes[99].width, 739u);
}

}  // namespace
