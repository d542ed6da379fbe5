#pragma once

#include "framework/WDL_Mutex.h"

// The one recursive lock of the context and object pools.
WDL_Mutex& SWELL_GdiPoolLock();
