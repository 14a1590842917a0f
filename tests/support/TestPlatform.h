#pragma once

#include "startup/HeadlessPlatform.h"

using TestPlatform = HeadlessPlatform;
