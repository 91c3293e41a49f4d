// The platform headers of the input plug-in: Windows' own on Windows, the stand-in's headers of
// the same names elsewhere, so that the plug-in's source is one for every system.
#pragma once

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0800
#endif
#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#endif

#include <windows.h>
#include <dinput.h>
#include <xinput.h>
