#include "test_effects.h"

#include <sstream>

#include "app/layer_command.h"
#include "app/script_args.h"
#include "platform/lua4/lua4.h"

namespace {

int firstTestTypeId = 0;

void log(const std::string& what, const std::string& tag) {
    effectLog().push_back(what + " " + tag);
}

int settestvalue(lua_State* L) {
    auto* effect = static_cast<TestEffect*>(layerForEffectCommand(L, firstTestTypeId));
    if (effect) effect->values.push_back(floatArg(L, 3));
    return 0;
}

}  // namespace

std::vector<std::string>& effectLog() {
    static std::vector<std::string> calls;
    return calls;
}

TestEffect::~TestEffect() {
    log("destroy", tag);
}

bool TestEffect::init(int stage, lua_State* L) {
    if (stage == 0) {
        const char* name = stringArg(L, 2);
        tag = name ? name : "?";
    }
    log("init" + std::to_string(stage), tag);
    return stage != 0 || tag != "reject";
}

void TestEffect::render(float time, float intervalStart) {
    std::ostringstream text;
    text << "render " << tag << " " << time << " " << intervalStart;
    effectLog().push_back(text.str());
}

void TestEffect::releaseDeviceResources(int code) {
    log("release" + std::to_string(code), tag);
}

void TestEffectModule::registerScriptFunctions(lua_State* L) {
    firstTestTypeId = typeIds_.empty() ? -1 : typeIds_.front();
    lua4::lua_register(L, "settestvalue", settestvalue);
}

std::unique_ptr<Effect> TestEffectModule::createEffect(int index) {
    return std::make_unique<TestEffect>(effectTypeId(index));
}
