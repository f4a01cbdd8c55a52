// A platform without COM or device tree: classes and devices come from a
// table. The native build's default, and the base of benchmarks and fuzzers.
#pragma once

#include "ProbePlatform.h"
#include "TableSource.h"

namespace probe {

class TablePlatform final : public ProbePlatform {
public:
    TablePlatform() = default;
    explicit TablePlatform(Table table) : source_(std::move(table)) {}

    bool com_initialize() override { return true; }
    void com_uninitialize() override {}
    DeviceSource& source() override { return source_; }
    Table& table() { return source_.table(); }

private:
    TableSource source_;
};

}  // namespace probe
