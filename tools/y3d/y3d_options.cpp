#include "y3d_options.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

bool parseNumber(const std::string& text, float& value) {
    char* end = nullptr;
    value = std::strtof(text.c_str(), &end);
    return !text.empty() && *end == '\0' && std::isfinite(value);
}

// Options that take a value accept "--name VALUE" and "--name=VALUE".
bool takeValue(const std::string& name, int argc, char** argv, int& i, std::string& value) {
    const std::string arg = argv[i];
    if (arg.rfind(name + "=", 0) == 0) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (arg != name || i + 1 >= argc) return false;
    value = argv[++i];
    return true;
}

bool takeOption(int argc, char** argv, int& i, Y3dToolOptions& o, std::string& error) {
    const std::string arg = argv[i];
    std::string value;
    const bool info = o.command == Y3dCommand::Info;
    if (info && arg == "--json") {
        o.json = true;
    } else if (info && takeValue("--at", argc, argv, i, value)) {
        float ticks;
        if (!parseNumber(value, ticks)) error = "--at needs a number of ticks, not '" + value + "'";
        o.at = ticks;
    } else if (!info && takeValue("--scale", argc, argv, i, value)) {
        if (!parseNumber(value, o.scale) || o.scale == 0)
            error = "--scale needs a non-zero number, not '" + value + "'";
    } else if (!info && takeValue("--fps", argc, argv, i, value)) {
        if (!parseNumber(value, o.framesPerSecond) || o.framesPerSecond <= 0)
            error = "--fps needs a positive number, not '" + value + "'";
    } else if (!info && takeValue("--copy-textures", argc, argv, i, value)) {
        o.copyTexturesTo = value;
    } else if (!info && arg == "--dry-run") {
        o.dryRun = true;
    } else if (!info && arg == "--no-camera") {
        o.addCamera = false;
    } else {
        error = "unknown option " + arg;
    }
    return error.empty();
}

bool placeOperands(const std::vector<std::string>& operands, Y3dToolOptions& o,
                   std::string& error) {
    const std::size_t needed = o.command == Y3dCommand::Info ? 1 : 2;
    if (operands.size() != needed) {
        error = "wrong number of arguments";
        return false;
    }
    o.input = operands[0];
    if (needed == 2) o.output = operands[1];
    return true;
}

}  // namespace

bool parseY3dOptions(int argc, char** argv, Y3dToolOptions& o, std::string& error) {
    if (argc < 2) {
        error = "no command given";
        return false;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") return true;
    if (command == "info") {
        o.command = Y3dCommand::Info;
    } else if (command == "convert") {
        o.command = Y3dCommand::Convert;
    } else {
        error = "unknown command " + command;
        return false;
    }
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            o.command = Y3dCommand::Help;
            return true;
        }
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (!takeOption(argc, argv, i, o, error)) return false;
        } else {
            operands.push_back(arg);
        }
    }
    return placeOperands(operands, o, error);
}

const char* y3dUsage() {
    return "usage: tessal-y3d info [--at TICKS] [--json] FILE\n"
           "       tessal-y3d convert [--scale S] [--fps F] [--copy-textures DIR] [--dry-run]\n"
           "                          [--no-camera] INPUT OUTPUT.y3d\n"
           "\n"
           "info     prints what a y3d scene holds: timing, materials and their maps,\n"
           "         the node tree (kind, id, target, key counts) and the meshes\n"
           "         (vertices, face groups, morph frames, bounds).\n"
           "  --at TICKS  also every node's world position at that scene time, with\n"
           "              roll and field of view of cameras and the vertex positions\n"
           "              of morphing meshes\n"
           "  --json      the same as one JSON object\n"
           "convert  turns a modelling tool's file (glTF 2.0, FBX, COLLADA, 3DS, OBJ and\n"
           "         whatever else assimp reads) into a y3d scene: meshes, materials\n"
           "         and their maps, the node hierarchy and its animation, cameras and\n"
           "         lights; prints what it made and what it had to leave out.\n"
           "  --scale S    multiplies every position by S (an FBX file's are first\n"
           "               turned into metres, as COLLADA's and glTF's are)\n"
           "  --fps F      scene frames per second (default 30; 160 ticks a frame)\n"
           "  --copy-textures DIR  writes every image the scene names into DIR, at\n"
           "               the name the scene gives it (embedded images too)\n"
           "  --dry-run    reports what would be made and writes nothing\n"
           "  --no-camera  when the input has no camera, adds none; otherwise a\n"
           "               camera \"Camera\" and a light \"Light\" aimed at the model are\n"
           "               added\n"
           "\n"
           "Exit status: 0 done, 1 unreadable or rejected input, 2 usage error.\n";
}
