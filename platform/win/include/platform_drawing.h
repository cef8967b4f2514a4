#pragma once

// On Windows the real <windows.h> takes the place of the stand-in's; the extensions keep their one
// declaration, which includes <windows.h> and so gets the real one. Defined by platform/win/src.
#include "../../include/platform_drawing.h"
