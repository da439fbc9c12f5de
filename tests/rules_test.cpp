#include <gtest/gtest.h>

#include "core/rules.h"
