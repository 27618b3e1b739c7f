// The setup dialog's rules on catalogs from the recording backend: what the
// window shows for the pending selection, how the lists and choices change
// it, and what "run demo" and "run away" leave in the catalog.
#include "framework/setup_dialog_model.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "framework/graphics_app.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

using namespace SetupWindow;
using Items = std::vector<std::string>;

// Two adapters; the second one's HAL cannot render in a window. Modes of the
// standard adapter, sorted: six R5G6B5 sizes, then the same six in
// X8R8G8B8; the default, 640 x 480 x 32, is mode 7.
class SetupDialogModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RecordingAdapter second = standardRecordingAdapter();
        second.description = "Second Adapter";
        second.hal.caps.Caps2 = 0;
        config.adapters.push_back(second);
        IDirect3D8* direct3d = createRecordingDirect3D(config, log);
        ASSERT_EQ(app.catalog.build(*direct3d, app), S_OK);
        direct3d->Release();
        model.emplace(app);
    }

    // A command with "Windowed" checked as the window shows it.
    std::optional<int> send(int control, int notification = BN_CLICKED, int item = -1) {
        return model->command({control, notification, model->content().windowedChecked, item});
    }
    std::optional<int> pick(int list, int item) { return send(list, CBN_SELENDOK, item); }
    std::optional<int> choose(bool windowed, int control) {
        return model->command({control, BN_CLICKED, windowed, -1});
    }
    DeviceInfo& device(unsigned a, unsigned d) { return app.catalog.adapters[a].devices[d]; }

    RecordingConfig config;
    CallLog log;
    GraphicsApp app;
    std::optional<SetupDialogModel> model;  // made once the catalog is built
};

TEST_F(SetupDialogModelTest, ShowsTheCatalogSelectionWindowedWithTheModeListDisabled) {
    EXPECT_EQ(model->pending(), (SetupSelection{0, 0, 7, true}));
    SetupWindowContent shown = model->content();
    EXPECT_EQ(shown.adapters.items, (Items{"Recording adapter", "Second Adapter"}));
    EXPECT_EQ(shown.devices.items, (Items{"HAL", "REF"}));
    ASSERT_EQ(shown.modes.items.size(), 12u);
    EXPECT_EQ(shown.modes.items[0], "640 x 400 x 16");
    EXPECT_EQ(shown.modes.items[7], "640 x 480 x 32");
    EXPECT_EQ(std::tie(shown.adapters.selected, shown.devices.selected, shown.modes.selected),
              std::make_tuple(0, 0, 7));
    EXPECT_TRUE(shown.windowedEnabled && shown.windowedChecked);
    EXPECT_FALSE(shown.modes.enabled);
}

// Every command first takes "Windowed" from the window, whichever control
// sent it.
TEST_F(SetupDialogModelTest, FullScreenEnablesTheModeListAndWindowedDisablesItAgain) {
    EXPECT_EQ(choose(false, fullScreenChoice), std::nullopt);
    EXPECT_TRUE(model->content().modes.enabled);
    choose(true, windowedChoice);
    EXPECT_FALSE(model->content().modes.enabled);
    model->command({modeList, CBN_SELENDOK, false, 3});
    EXPECT_EQ(model->pending(), (SetupSelection{0, 0, 3, false}));
}

TEST_F(SetupDialogModelTest, AnotherAdapterOrDeviceBringsItsOwnModeAndWindowedChoice) {
    device(0, 1).currentMode = 4;
    pick(deviceList, 1);
    EXPECT_EQ(model->pending(), (SetupSelection{0, 1, 4, true}));  // REF renders windowed
    pick(modeList, 2);
    pick(adapterList, 1);
    EXPECT_EQ(model->pending(), (SetupSelection{1, 0, 7, false}));
    EXPECT_FALSE(model->content().windowedEnabled);  // that HAL cannot render in a window
    EXPECT_TRUE(model->content().modes.enabled);
    pick(adapterList, 0);  // its catalog choices, not the ones made before
    EXPECT_EQ(model->pending(), (SetupSelection{0, 0, 7, true}));
    for (int outside : {-1, 2}) pick(adapterList, outside);
    pick(modeList, 12);
    EXPECT_EQ(model->pending(), (SetupSelection{0, 0, 7, true}));
}

// The catalog is changed behind the model's back: "run demo" without a
// change of choice leaves it so.
TEST_F(SetupDialogModelTest, RunDemoWithoutAChangeWritesNothing) {
    choose(false, fullScreenChoice);
    choose(true, windowedChoice);
    device(0, 0).currentMode = 2;
    EXPECT_EQ(send(runDemo), runDemo);
    EXPECT_EQ(device(0, 0).currentMode, 2u);
}

TEST_F(SetupDialogModelTest, RunDemoWritesAllFourPartsWithWindowedReadFirst) {
    pick(adapterList, 1);
    pick(deviceList, 1);  // REF, windowed
    pick(modeList, 2);
    EXPECT_EQ(choose(false, runDemo), runDemo);
    EXPECT_EQ(app.currentAdapter, 1u);
    EXPECT_EQ(app.catalog.adapters[1].currentDevice, 1u);
    EXPECT_EQ(device(1, 1).currentMode, 2u);
    EXPECT_FALSE(device(1, 1).windowed);
}

TEST_F(SetupDialogModelTest, RunAwayEndsWithTwoAndWritesNothing) {
    pick(adapterList, 1);
    EXPECT_EQ(send(runAway), runAway);
    EXPECT_EQ(app.currentAdapter, 0u);
}

TEST(SetupDialogModeText, ThirtyTwoForTheThreeEightBitFormatsSixteenForTheRest) {
    GraphicsApp app;
    app.catalog.adapterCount = app.catalog.adapters[0].deviceCount = 1;
    DeviceInfo& device = app.catalog.adapters[0].devices[0];
    for (D3DFORMAT format : {D3DFMT_R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5,
                             D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5})
        device.modes[device.modeCount++] = {800, 600, format};
    EXPECT_EQ(SetupDialogModel(app).content().modes.items,
              (Items{"800 x 600 x 32", "800 x 600 x 32", "800 x 600 x 32", "800 x 600 x 16",
                     "800 x 600 x 16", "800 x 600 x 16"}));
}

}  // namespace
