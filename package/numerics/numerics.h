// Everything of the numerics package as the components see it.
#pragma once
#include "package/core/core.h"
#include "package/numerics/datatable.h"
#include "package/numerics/matrix.h"
#include "package/numerics/numutil.h"
