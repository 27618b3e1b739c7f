#include "app/problem_sink.h"

#include "app/demo_app.h"

namespace {

ProblemSink* demoProblemSink() {
    DemoApp* app = demoApp();
    return app ? app->problemSink : nullptr;
}

}  // namespace

void reportProblem(ProblemKind kind, const std::string& name, const std::string& message) {
    if (ProblemSink* sink = demoProblemSink()) sink->report(Problem{kind, name, message, 0});
}

void reportArchiveRead(const std::string& name, bool extracted) {
    if (ProblemSink* sink = demoProblemSink()) sink->archiveRead(name, extracted);
}
