// Reading OBJ text into an ObjModel.
#include <string_view>

#include "obj_model.h"
#include "text_lines.h"

namespace {

class ObjReader {
  public:
    ObjReader(ObjModel& model, std::string defaultName)
        : model_(model), defaultName_(std::move(defaultName)) {}

    // False with the problem (without line number) when the line is unusable.
    bool line(const std::vector<std::string_view>& words, std::string_view rest,
              std::string& problem);

  private:
    bool readVector(const std::vector<std::string_view>& words, std::size_t count, float* out,
                    std::string& problem);
    bool readFace(const std::vector<std::string_view>& words, std::string& problem);
    bool readCorner(std::string_view word, ObjCorner& corner, std::string& problem);
    bool resolve(std::string_view word, std::size_t count, long& index, std::string& problem);
    long materialIndex(std::string_view name);
    ObjObject& currentObject();

    ObjModel& model_;
    std::string defaultName_;
    long material_ = -1;
    bool objectOpen_ = false;
};

bool ObjReader::line(const std::vector<std::string_view>& words, std::string_view rest,
                     std::string& problem) {
    if (words.empty()) return true;
    const std::string_view kind = words[0];
    float values[3] = {0, 0, 0};
    if (kind == "v") {
        if (!readVector(words, 3, values, problem)) return false;
        model_.positions.push_back({values[0], values[1], values[2]});
    } else if (kind == "vt") {
        if (!readVector(words, 2, values, problem)) return false;
        model_.uvs.push_back({values[0], values[1]});
    } else if (kind == "vn") {
        if (!readVector(words, 3, values, problem)) return false;
        model_.normals.push_back({values[0], values[1], values[2]});
    } else if (kind == "f") {
        return readFace(words, problem);
    } else if (kind == "o" || kind == "g") {
        model_.objects.push_back({std::string(rest.empty() ? defaultName_ : rest), {}});
        objectOpen_ = true;
    } else if (kind == "usemtl") {
        material_ = materialIndex(rest);
    } else if (kind == "mtllib" && !rest.empty()) {
        model_.materialLibraries.emplace_back(rest);
    }
    return true;
}

// At least `count` numbers after the statement; more (such as w) are ignored.
bool ObjReader::readVector(const std::vector<std::string_view>& words, std::size_t count,
                           float* out, std::string& problem) {
    if (words.size() < count + 1) {
        problem = std::string(words[0]) + " needs " + std::to_string(count) + " numbers";
        return false;
    }
    for (std::size_t i = 0; i < count; ++i)
        if (!parseFloat(words[i + 1], out[i])) {
            problem = "'" + std::string(words[i + 1]) + "' is not a number";
            return false;
        }
    return true;
}

bool ObjReader::readFace(const std::vector<std::string_view>& words, std::string& problem) {
    if (words.size() < 4) {
        problem = "a face needs at least three corners";
        return false;
    }
    ObjFace face;
    face.material = material_;
    face.corners.resize(words.size() - 1);
    for (std::size_t i = 1; i < words.size(); ++i)
        if (!readCorner(words[i], face.corners[i - 1], problem)) return false;
    currentObject().faces.push_back(std::move(face));
    return true;
}

// v, v/vt, v//vn or v/vt/vn.
bool ObjReader::readCorner(std::string_view word, ObjCorner& corner, std::string& problem) {
    const std::size_t slash = word.find('/');
    long position = 0;
    if (!resolve(word.substr(0, slash), model_.positions.size(), position, problem)) return false;
    corner.position = std::size_t(position);
    if (slash == std::string_view::npos) return true;
    const std::string_view rest = word.substr(slash + 1);
    const std::size_t second = rest.find('/');
    const std::string_view uv = rest.substr(0, second);
    if (!uv.empty() && !resolve(uv, model_.uvs.size(), corner.uv, problem)) return false;
    if (second == std::string_view::npos) return true;
    return resolve(rest.substr(second + 1), model_.normals.size(), corner.normal, problem);
}

// 1-based from the start, or negative from the end of what is defined so far.
bool ObjReader::resolve(std::string_view word, std::size_t count, long& index,
                        std::string& problem) {
    long value = 0;
    if (!parseInt(word, value)) {
        problem = "'" + std::string(word) + "' is not an index";
        return false;
    }
    const long resolved = value < 0 ? long(count) + value : value - 1;
    if (value == 0 || resolved < 0 || resolved >= long(count)) {
        problem = "index " + std::string(word) + " names none of the " + std::to_string(count) +
                  " defined so far";
        return false;
    }
    index = resolved;
    return true;
}

long ObjReader::materialIndex(std::string_view name) {
    for (std::size_t i = 0; i < model_.materialNames.size(); ++i)
        if (model_.materialNames[i] == name) return long(i);
    model_.materialNames.emplace_back(name);
    return long(model_.materialNames.size() - 1);
}

ObjObject& ObjReader::currentObject() {
    if (!objectOpen_) {
        model_.objects.push_back({defaultName_, {}});
        objectOpen_ = true;
    }
    return model_.objects.back();
}

}  // namespace

bool readObj(std::span<const std::uint8_t> bytes, const std::string& defaultName, ObjModel& model,
             std::string& error) {
    TextLines lines(bytes);
    ObjReader reader(model, defaultName);
    std::vector<std::string_view> words;
    std::string problem;
    while (lines.next(words)) {
        if (reader.line(words, lines.restAfterFirstWord(), problem)) continue;
        error = "line " + std::to_string(lines.lineNumber()) + ": " + problem;
        return false;
    }
    std::erase_if(model.objects, [](const ObjObject& object) { return object.faces.empty(); });
    return true;
}
