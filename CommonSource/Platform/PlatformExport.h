// Marks what the platform library exports. Plug-ins build with hidden
// visibility, so every platform class and function they use must say so.
#pragma once

#define KESTRANE_PLATFORM_EXPORT __attribute__((visibility("default")))
