// Everything of the framework stand-in.
#pragma once
#include "package/framework/types.h"
#include "package/framework/sysutils.h"
