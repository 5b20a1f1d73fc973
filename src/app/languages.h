// Languages and localized strings: the language table and the process's language state.
#pragma once

#include "app/language_state.h"
#include "app/language_table.h"
