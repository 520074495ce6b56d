// Error classes of the base package.
#pragma once

#include "package/framework/base/sysutils.h"

namespace jox {

// Base of every error the package raises; carries its message text.
JOX_DECLARE_EXCEPTION(EJOXError, Exception);
// Raised by the data structures (string array, bit field) on impossible requests.
JOX_DECLARE_EXCEPTION(EJOXDStructError, EJOXError);

}  // namespace jox
