// The numeric input unit: number text routines and the numeric entry fields.
#pragma once

#include "package/numtext.h"
#include "numio/numio1.h"
#include "numio/numio2.h"
