// Everything of the base package as the components see it.
#pragma once
#include "package/core/errors.h"
#include "package/core/coretypes.h"
#include "package/core/bitfld.h"
#include "package/core/colors.h"
#include "package/core/drawing.h"
#include "package/core/fileutil.h"
#include "package/core/names.h"
#include "package/core/strutil.h"
#include "package/core/stringarray.h"
