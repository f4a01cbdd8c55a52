// Away from Windows there is no device tree and no COM: the library serves an
// empty table unless a test installs a platform of its own.
#include "ProbePlatform.h"
#include "TableSource.h"

namespace probe {
namespace {

class PortablePlatform final : public ProbePlatform {
public:
    bool com_initialize() override { return true; }
    void com_uninitialize() override {}
    DeviceSource& source() override { return source_; }

private:
    TableSource source_;
};

}  // namespace

ProbePlatform& default_platform() {
    static PortablePlatform platform;
    return platform;
}

}  // namespace probe
