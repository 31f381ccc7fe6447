#pragma once

// FIXME: the UTF-8 conversions live in platform/Utf8.h; this header only forwards to it until
// the last files that include it by this name are switched over.

#include "platform/Utf8.h"
