// The setup dialog's rules on catalogs from the recording backend: what the
// window shows for the pending selection, how the lists and choices change
// it, and what "run demo" and "run away" leave in the catalog.
#include "framework/setup_dialog_model.h"

#include <gtest/gtest.h>

#include "framework/graphics_app.h"
#include "platform/d3d8/recording/recording_direct3d.h"

namespace {

using namespace SetupWindow;
using Items = std::vector<std::string>;

// Two adapters; the second one's HAL cannot render in a window, so its
// current device is a full-screen HAL. Modes of the standard adapter, sorted:
// six R5G6B5 sizes, then the same six in X8R8G8B8; 640 x 480 x 32 is mode 7.
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
    }

    // A command as the window sends it, with "Windowed" as the model last
    // showed it unless the viewer changed it.
    std::optional<int> send(SetupDialogModel& model, int control, int notification, int item = -1) {
        return send(model, control, notification, model.content().windowedChecked, item);
    }
    std::optional<int> send(SetupDialogModel& model, int control, int notification,
                            bool windowedChecked, int item) {
        return model.command({control, notification, windowedChecked, item});
    }
    std::optional<int> pick(SetupDialogModel& model, int list, int item) {
        return send(model, list, CBN_SELENDOK, item);
    }
    DeviceInfo& device(unsigned a, unsigned d) { return app.catalog.adapters[a].devices[d]; }

    RecordingConfig config;
    CallLog log;
    GraphicsApp app;
};

TEST_F(SetupDialogModelTest, ShowsTheCatalogSelectionWindowedWithTheModeListDisabled) {
    SetupDialogModel model(app);
    EXPECT_EQ(model.pending(), (SetupSelection{0, 0, 7, true}));
    EXPECT_EQ(model.starting(), model.pending());
    SetupWindowContent shown = model.content();
    EXPECT_EQ(shown.adapters.items, (Items{"Recording adapter", "Second Adapter"}));
    EXPECT_EQ(shown.devices.items, (Items{"HAL", "REF"}));
    ASSERT_EQ(shown.modes.items.size(), 12u);
    EXPECT_EQ(shown.modes.items[0], "640 x 400 x 16");
    EXPECT_EQ(shown.modes.items[7], "640 x 480 x 32");
    EXPECT_EQ(shown.modes.items[11], "1280 x 1024 x 32");
    EXPECT_EQ(shown.adapters.selected, 0);
    EXPECT_EQ(shown.devices.selected, 0);
    EXPECT_EQ(shown.modes.selected, 7);
    EXPECT_TRUE(shown.windowedEnabled && shown.windowedChecked);
    EXPECT_FALSE(shown.modes.enabled);
    EXPECT_TRUE(shown.adapters.enabled && shown.devices.enabled);
}

// Every command first takes "Windowed" from the window, whichever control
// sent it.
TEST_F(SetupDialogModelTest, FullScreenEnablesTheModeListAndWindowedDisablesItAgain) {
    SetupDialogModel model(app);
    EXPECT_EQ(send(model, fullScreenChoice, BN_CLICKED, false, -1), std::nullopt);
    EXPECT_TRUE(model.content().modes.enabled);
    EXPECT_FALSE(model.content().windowedChecked);
    send(model, windowedChoice, BN_CLICKED, true, -1);
    EXPECT_FALSE(model.content().modes.enabled);
    send(model, modeList, CBN_SELENDOK, false, 3);
    EXPECT_EQ(model.pending(), (SetupSelection{0, 0, 3, false}));
}

TEST_F(SetupDialogModelTest, AnotherAdapterBringsItsOwnDeviceModeAndWindowedChoice) {
    SetupDialogModel model(app);
    pick(model, deviceList, 1);
    pick(model, modeList, 2);
    pick(model, adapterList, 1);
    EXPECT_EQ(model.pending(), (SetupSelection{1, 0, 7, false}));
    SetupWindowContent shown = model.content();
    EXPECT_EQ(shown.adapters.selected, 1);
    EXPECT_FALSE(shown.windowedEnabled);  // that HAL cannot render in a window
    EXPECT_FALSE(shown.windowedChecked);
    EXPECT_TRUE(shown.modes.enabled);
    // Back on the first adapter: its catalog choices, not the ones made before.
    pick(model, adapterList, 0);
    EXPECT_EQ(model.pending(), (SetupSelection{0, 0, 7, true}));
}

TEST_F(SetupDialogModelTest, AnotherDeviceBringsItsModeAndWindowedChoice) {
    device(0, 1).currentMode = 4;
    device(0, 1).windowed = false;
    SetupDialogModel model(app);
    pick(model, deviceList, 1);
    EXPECT_EQ(model.pending(), (SetupSelection{0, 1, 4, false}));
    EXPECT_TRUE(model.content().windowedEnabled);  // REF can render in a window
}

TEST_F(SetupDialogModelTest, ItemsOutsideTheListsChangeNothing) {
    SetupDialogModel model(app);
    pick(model, adapterList, -1);
    pick(model, adapterList, 2);
    pick(model, deviceList, 2);
    pick(model, modeList, 12);
    EXPECT_EQ(model.pending(), model.starting());
}

// Proof that nothing is written: the catalog is changed behind the model's
// back, and "run demo" leaves that change alone.
TEST_F(SetupDialogModelTest, RunDemoWithoutAChangeWritesNothing) {
    SetupDialogModel model(app);
    send(model, fullScreenChoice, BN_CLICKED, false, -1);
    send(model, windowedChoice, BN_CLICKED, true, -1);
    device(0, 0).currentMode = 2;
    EXPECT_EQ(send(model, runDemo, BN_CLICKED), runDemo);
    EXPECT_EQ(device(0, 0).currentMode, 2u);
}

TEST_F(SetupDialogModelTest, RunDemoWritesAllFourPartsOfTheChoice) {
    SetupDialogModel model(app);
    pick(model, adapterList, 1);
    pick(model, deviceList, 1);
    pick(model, modeList, 2);
    EXPECT_EQ(send(model, runDemo, BN_CLICKED, false, -1), runDemo);
    EXPECT_EQ(app.currentAdapter, 1u);
    EXPECT_EQ(app.catalog.adapters[1].currentDevice, 1u);
    EXPECT_EQ(device(1, 1).currentMode, 2u);
    EXPECT_FALSE(device(1, 1).windowed);
}

// "Windowed" is read before "run demo" is carried out.
TEST_F(SetupDialogModelTest, RunDemoTakesTheWindowedCheckOfThatMoment) {
    SetupDialogModel model(app);
    EXPECT_EQ(send(model, runDemo, BN_CLICKED, false, -1), runDemo);
    EXPECT_FALSE(device(0, 0).windowed);
    EXPECT_EQ(app.currentAdapter, 0u);
}

TEST_F(SetupDialogModelTest, RunAwayEndsWithTwoAndWritesNothing) {
    SetupDialogModel model(app);
    pick(model, adapterList, 1);
    EXPECT_EQ(send(model, runAway, BN_CLICKED), runAway);
    EXPECT_EQ(app.currentAdapter, 0u);
    EXPECT_TRUE(device(0, 0).windowed);
}

TEST(SetupDialogModeText, ThirtyTwoForTheThreeEightBitFormatsSixteenForTheRest) {
    GraphicsApp app;
    app.catalog.adapterCount = 1;
    AdapterInfo& adapter = app.catalog.adapters[0];
    adapter.deviceCount = 1;
    DeviceInfo& device = adapter.devices[0];
    const D3DFORMAT formats[] = {D3DFMT_R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8,
                                 D3DFMT_R5G6B5, D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5};
    for (D3DFORMAT format : formats) device.modes[device.modeCount++] = {800, 600, format};
    Items expected{"800 x 600 x 32", "800 x 600 x 32", "800 x 600 x 32",
                   "800 x 600 x 16", "800 x 600 x 16", "800 x 600 x 16"};
    EXPECT_EQ(SetupDialogModel(app).content().modes.items, expected);
}

}  // namespace
