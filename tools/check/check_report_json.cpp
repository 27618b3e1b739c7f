#include "check_report_json.h"

#include "app/check/problem_text.h"
#include "json_out.h"

namespace {

void writeProblem(JsonOut& json, const Problem& problem) {
    json.beginObject();
    json.key("kind");
    json.string(problemKindName(problem.kind));
    json.key("name");
    json.string(problem.name);
    json.key("message");
    json.string(problem.message);
    json.key("line");
    if (problem.line > 0)
        json.number(problem.line);
    else
        json.null();
    json.endObject();
}

}  // namespace

std::string checkReportJson(const std::string& productionDir, const CheckReport& report) {
    JsonOut json;
    json.beginObject();
    json.key("production");
    json.string(productionDir);
    json.key("mode");
    json.string(report.packed ? "packed" : "unpacked");
    json.key("start");
    json.number(report.startTime);
    json.key("end");
    json.number(report.endTime);
    json.key("frames");
    json.number(report.framesPlayed);
    json.key("problems");
    json.beginArray();
    for (const Problem& problem : report.problems) writeProblem(json, problem);
    json.endArray();
    json.endObject();
    return json.text();
}
