// The Windows headers, for every file of the Windows shell. The dial canvas has operations named
// CreateFont and DrawText, which the headers would otherwise turn into macros for their A/W
// forms; the shell always calls the ANSI functions by their full names.
#pragma once

#include <windows.h>

#undef CreateFont
#undef DrawText
