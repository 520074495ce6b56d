// The package frame: unit list, start-up and shut-down, error classes, shared texts, timer helper.
#pragma once
#include "package/errors.h"
