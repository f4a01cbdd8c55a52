// Away from Windows there is no device tree and no COM: the library serves an
// empty table unless a test installs a platform of its own.
#include "TablePlatform.h"

namespace probe {

ProbePlatform& default_platform() {
    static TablePlatform platform;
    return platform;
}

}  // namespace probe
