#include <windows.h>

#include "Thread.h"

void ApplyThreadPriority(TThreadPriority priority) {
    SetThreadPriority(GetCurrentThread(), priority == TThreadPriority::tpLower
                                              ? THREAD_PRIORITY_BELOW_NORMAL
                                              : THREAD_PRIORITY_NORMAL);
}
