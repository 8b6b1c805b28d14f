#pragma once
#include <filesystem>
#include <string>
#include <vector>

// A plan as JSON, checked against the published schema (docs/plan-schema.json) with Debian's
// jsonschema and read back by Python, one row an action.

struct PlanRow {
    std::string what;  // action|role|path or key|name|data|target
    std::string size, sha256, admin;
};

struct PlanRows {
    std::string head;  // package|scope|installFolder|admin
    std::vector<PlanRow> rows;

    std::vector<std::string> What() const;
    // The row of the file installed at `path`; nothing found gives an empty row.
    PlanRow File(const std::string& path) const;
};

// The JSON plan that setup-media writes of `input` with `options`, checked and read back;
// `scratch` is a folder the plan may be written to. A failed run, an invalid plan or an
// unreadable row fails the test that asked, which gets what could be read.
PlanRows JsonPlan(const std::string& input, std::vector<std::string> options, const std::filesystem::path& scratch);

// `text` cut at each `separator`.
std::vector<std::string> Split(const std::string& text, char separator);
