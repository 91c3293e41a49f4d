// The one export macro of the plug-ins: C linkage, visible, everything else stays hidden.
#pragma once

#if defined(_WIN32)
#define VANTOR_EXPORT extern "C" __declspec(dllexport)
#else
#define VANTOR_EXPORT extern "C" __attribute__((visibility("default")))
#endif
