// What the engine meets while playing that a viewer would see as a fault:
// resources that fail to load, layers that name something never loaded.
// The player prints its console messages as it always has; a tool that
// wants the problems themselves sets a sink on the demo and receives each
// one as a record.
#pragma once

#include <string>

enum class ProblemKind {
    scriptError,     // the script's run stopped with an error
    textureLoad,     // a texture could not be loaded or created
    sceneLoad,       // a scene file could not be opened or read
    musicLoad,       // the music file could not be opened or decoded
    missingTexture,  // a layer names a texture that was never loaded
    missingScene,    // a layer names a scene that was never loaded
    missingCamera,   // a scene layer names no camera, or a node that is not one
    neverActive,     // a layer is drawn at no time between start and end
    unusedMember,    // an archive member nothing reads
    missingMember,   // a file read in packed mode that the archive lacks
    damagedMember,   // an archive member that cannot be unpacked
};

struct Problem {
    ProblemKind kind = ProblemKind::scriptError;
    // The file or name concerned (texture, scene, camera, layer, member).
    std::string name;
    // What is wrong, in a few words.
    std::string message;
    // The script line that led to it, 0 when not known.
    int line = 0;
};

class ProblemSink {
  public:
    virtual ~ProblemSink() = default;
    virtual void report(const Problem& problem) = 0;
    // Packed mode: a file was asked of the archive, and whether it came out.
    virtual void archiveRead(const std::string& name, bool extracted) {}
};

// Hands the problem to the demo's sink, if it has one.
void reportProblem(ProblemKind kind, const std::string& name, const std::string& message);
void reportArchiveRead(const std::string& name, bool extracted);
