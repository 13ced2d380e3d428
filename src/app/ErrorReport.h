#pragma once

// The report lives with the windows now; kept so older includes still build.
#include "forms/ErrorReport.h"
