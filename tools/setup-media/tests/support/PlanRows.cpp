#include "support/PlanRows.h"

#include <gtest/gtest.h>

#include "support/Python.h"
#include "support/RunTool.h"
#include "support/TempTree.h"

namespace {

const std::string PlanSchema = SETUP_REPO_ROOT "/docs/plan-schema.json";

// Validates a plan against the published schema, then prints the plan's head and one line per
// action: action|role|path or key|name|data|target|size|sha256|admin.
constexpr const char* ReadPlan = R"(import json, sys, jsonschema
schema = json.load(open(sys.argv[1]))
jsonschema.Draft202012Validator.check_schema(schema)
plan = json.load(open(sys.argv[2], encoding='utf-8'))
jsonschema.Draft202012Validator(schema).validate(plan)
print('|'.join(str(plan.get(k, '')) for k in ('package', 'scope', 'installFolder', 'admin')))
for a in plan['actions']:
    data = a.get('data', '')
    print('|'.join([a['action'], a['role'], a.get('path', a.get('key', '')), a.get('name', ''),
                    'null' if data is None else str(data), a.get('target', ''), str(a.get('size', '')),
                    a.get('sha256', ''), a.get('admin', '')]))
)";

}  // namespace

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::vector<std::string> PlanRows::What() const {
    std::vector<std::string> what;
    for (const PlanRow& row : rows) what.push_back(row.what);
    return what;
}

PlanRow PlanRows::File(const std::string& path) const {
    for (const PlanRow& row : rows)
        if (row.what.starts_with("file|") && Split(row.what, '|')[2] == path) return row;
    return {};
}

PlanRows JsonPlan(const std::string& input, std::vector<std::string> options, const std::filesystem::path& scratch) {
    options.insert(options.begin(), {"plan", input, "--json"});
    const ToolRun run = RunTool(options);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::filesystem::path written = scratch / "plan.json";
    WriteFile(written, run.out);
    const std::optional<std::string> read = PythonOutput(ReadPlan, {PlanSchema, written.string()});
    EXPECT_TRUE(read) << run.out;
    PlanRows plan;
    if (!read) return plan;
    const std::vector<std::string> lines = Split(*read, '\n');
    plan.head = lines.front();
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        const std::vector<std::string> fields = Split(lines[i], '|');
        EXPECT_EQ(fields.size(), 9u) << lines[i];
        if (fields.size() != 9) continue;
        plan.rows.push_back(
            {fields[0] + "|" + fields[1] + "|" + fields[2] + "|" + fields[3] + "|" + fields[4] + "|" + fields[5],
             fields[6], fields[7], fields[8]});
    }
    return plan;
}
