#include "gltf_curves.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using nlohmann::json;

bool pathOf(const std::string& name, CurvePath& path) {
    static const std::map<std::string, CurvePath> paths = {{"translation", CurvePath::Translation},
                                                           {"rotation", CurvePath::Rotation},
                                                           {"scale", CurvePath::Scale},
                                                           {"weights", CurvePath::Weights}};
    const auto found = paths.find(name);
    if (found != paths.end()) path = found->second;
    return found != paths.end();
}

// Assimp names an unnamed node after its place in the file.
std::string assimpNodeName(const json& document, std::size_t node) {
    const json& n = document.at("nodes").at(node);
    const std::string name = n.value("name", std::string());
    return name.empty() ? "nodes[" + std::to_string(node) + "]" : name;
}

bool ascendingFinite(const std::vector<float>& times) {
    for (std::size_t i = 0; i < times.size(); ++i)
        if (!std::isfinite(times[i]) || (i > 0 && times[i] <= times[i - 1])) return false;
    return !times.empty();
}

// The curve's keys read and checked; false, with the reason, when they
// cannot be used.
bool readKeys(GltfDocument& document, const json& sampler, const GltfFileLoader& load,
              GltfCurve& curve, std::string& error) {
    const auto times = document.floats(wholeNumber(sampler.at("input")), load, error);
    const auto values = document.floats(wholeNumber(sampler.at("output")), load, error);
    if (!times || !values) return false;
    curve.times = times->values;
    curve.values = values->values;
    const std::size_t perKey = curve.shape == CurveShape::CubicSpline ? 3 : 1;
    const std::size_t elements = curve.times.size() * perKey;
    curve.width = curve.path == CurvePath::Rotation ? 4 : 3;
    if (curve.path == CurvePath::Weights)  // the targets' weights, one scalar each
        curve.width = values->width == 1 && elements > 0 ? int(curve.values.size() / elements) : 0;
    if (times->width != 1 || !ascendingFinite(curve.times) || curve.width == 0 ||
        curve.values.size() != elements * std::size_t(curve.width))
        error = "a sampler's keys do not match its key times";
    return error.empty();
}

// The channel as a curve when its sampler steps or is a cubic spline.
std::optional<GltfCurve> curveOf(GltfDocument& document, const json& animation, const json& channel,
                                 const GltfFileLoader& load, std::string& error) {
    const json& target = channel.at("target");
    GltfCurve curve;
    if (!target.contains("node") || !pathOf(target.at("path").get<std::string>(), curve.path))
        return std::nullopt;
    const json& sampler = animation.at("samplers").at(wholeNumber(channel.at("sampler")));
    const std::string interpolation = sampler.value("interpolation", std::string("LINEAR"));
    if (interpolation != "STEP" && interpolation != "CUBICSPLINE") return std::nullopt;
    curve.shape = interpolation == "STEP" ? CurveShape::Step : CurveShape::CubicSpline;
    curve.nodeName = assimpNodeName(document.root(), wholeNumber(target.at("node")));
    if (!readKeys(document, sampler, load, curve, error)) return std::nullopt;
    return curve;
}

void readChannels(GltfDocument& document, const json& animation, const GltfFileLoader& load,
                  GltfCurves& out) {
    for (const json& channel : animation.at("channels")) {
        std::string error;
        try {
            if (auto curve = curveOf(document, animation, channel, load, error))
                out.curves.push_back(std::move(*curve));
        } catch (const std::exception&) {
            error = "an animation channel is malformed";
        }
        if (!error.empty())
            out.warnings.push_back("a stepped or cubic animation curve played linearly: " + error);
    }
}

// Hermite interpolation of one component between keys i and i + 1.
float hermite(const GltfCurve& c, std::size_t i, int k, float s, float span) {
    const auto at = [&](std::size_t key, int element) {
        return c.values[(key * 3 + std::size_t(element)) * std::size_t(c.width) + std::size_t(k)];
    };
    const float s2 = s * s, s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * at(i, 1) + span * (s3 - 2 * s2 + s) * at(i, 2) +
           (-2 * s3 + 3 * s2) * at(i + 1, 1) + span * (s3 - s2) * at(i + 1, 0);
}

std::vector<float> keyValue(const GltfCurve& c, std::size_t key) {
    const std::size_t element = c.shape == CurveShape::CubicSpline ? key * 3 + 1 : key;
    const auto first = c.values.begin() + std::ptrdiff_t(element * std::size_t(c.width));
    return {first, first + c.width};
}

void normalise(std::vector<float>& q) {
    float length = 0;
    for (const float v : q) length += v * v;
    length = std::sqrt(length);
    if (length > 0)
        for (float& v : q) v /= length;
}

}  // namespace

std::vector<float> GltfCurve::valueAt(double seconds) const {
    const auto after = std::upper_bound(times.begin(), times.end(), seconds);
    if (after == times.begin()) return keyValue(*this, 0);
    const std::size_t i = std::size_t(after - times.begin()) - 1;
    if (after == times.end() || shape == CurveShape::Step) return keyValue(*this, i);
    const float span = times[i + 1] - times[i];
    const float s = float((seconds - times[i]) / span);
    std::vector<float> out(std::size_t(width), 0.0f);
    for (int k = 0; k < width; ++k) out[std::size_t(k)] = hermite(*this, i, k, s, span);
    if (path == CurvePath::Rotation) normalise(out);
    return out;
}

GltfCurves readSteppedAndCubicCurves(std::span<const std::uint8_t> bytes,
                                     const GltfFileLoader& load) {
    GltfCurves out;
    GltfDocument document;
    std::string error;
    if (!document.read(bytes, error)) return out;  // assimp read it; nothing more to add
    const json& animations = document.root().value("animations", json::array());
    if (!animations.is_array() || animations.empty() || !animations[0].is_object()) return out;
    try {
        readChannels(document, animations[0], load, out);
    } catch (const std::exception&) {
        out.warnings.push_back("the first animation's channels are malformed");
    }
    return out;
}
