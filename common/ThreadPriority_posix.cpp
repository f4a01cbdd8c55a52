// Worker priorities matter only to the Windows scheduler; elsewhere every
// worker runs at the default priority.
#include "Thread.h"

void ApplyThreadPriority(TThreadPriority) {}
