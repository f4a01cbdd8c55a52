/* Compiled as C in every build: a C caller sees the same record. */
#include <stddef.h>

#include "corvex.h"

_Static_assert(sizeof(qz_guid) == 16, "GUID layout");
_Static_assert(offsetof(hardware_detail, device_name) == 402, "record layout");
_Static_assert(offsetof(hardware_detail, class_guid) == 2452, "record layout");
_Static_assert(offsetof(hardware_detail, class_name) == 2468, "record layout");
_Static_assert(offsetof(hardware_detail, class_description) == 2534, "record layout");
_Static_assert(offsetof(hardware_detail, subsys_id) == 4584, "record layout");
_Static_assert(offsetof(hardware_detail, ven_id) == 4602, "record layout");
_Static_assert(offsetof(hardware_detail, dev_id) == 4612, "record layout");
_Static_assert(offsetof(hardware_detail, rev_id) == 4622, "record layout");
_Static_assert(offsetof(hardware_detail, inf_path) == 4628, "record layout");
_Static_assert(offsetof(hardware_detail, driver_version) == 5150, "record layout");
_Static_assert(offsetof(hardware_detail, driver_date) == 5280, "record layout");
_Static_assert(offsetof(hardware_detail, flags) == 5304, "record layout");
_Static_assert(sizeof(hardware_detail) == 5308, "record layout");

int corvex_layout_checked(void) { return (int)sizeof(hardware_detail); }
