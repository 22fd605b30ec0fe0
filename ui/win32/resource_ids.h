#pragma once

// Resource numbers of the pictures that the windows show. The application icon is resource 1,
// given with the version record (cmake/WindowsResources.cmake).
#define KESTREL_APP_ICON 1
#define KESTREL_BANNER_ICON 101
#define KESTREL_HAND_CURSOR 102
