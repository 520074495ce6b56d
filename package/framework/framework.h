// Everything of the framework stand-in.
#pragma once
#include "package/framework/types.h"
#include "package/framework/sysutils.h"
#include "package/framework/classes.h"
#include "package/framework/graphics.h"
#include "package/framework/controls.h"
#include "package/framework/forms.h"
#include "package/framework/input.h"
#include "package/framework/clipbrd.h"
#include "package/framework/stdctrls.h"
