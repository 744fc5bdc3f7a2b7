// A library without the password entries: the services must then behave as if it were absent.
#include <windows.h>

extern "C" __declspec(dllexport) int SundialNothingHere() { return 0; }
