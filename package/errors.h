// The error classes of the units that report errors of their own.
#pragma once

#include "package/core/errors.h"

namespace jox {

JOX_DECLARE_EXCEPTION(EJOXNumIO2Error, EJOXError);
JOX_DECLARE_EXCEPTION(EJOXRLDataError, EJOXError);
JOX_DECLARE_EXCEPTION(EJOXRepListError, EJOXError);
JOX_DECLARE_EXCEPTION(EJOXNTabedError, EJOXError);
JOX_DECLARE_EXCEPTION(EJOXRasterLabError, EJOXError);
JOX_DECLARE_EXCEPTION(EJOXProgBar, EJOXError);
JOX_DECLARE_EXCEPTION(EJOXRepSpeedButton, EJOXError);

}  // namespace jox
