#pragma once

#include "forms/Grid.h"
