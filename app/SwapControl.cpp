#include "app/SwapControl.h"

#include <GL/glx.h>
#include <GL/glxext.h>
#include <cstring>

namespace {

// Whether the space-separated list names holds name as a whole entry.
bool listed(const char* names, const char* name) {
    const std::size_t length = std::strlen(name);
    for (const char* at = names; at != nullptr && (at = std::strstr(at, name)) != nullptr;
         at += length) {
        const bool starts = at == names || at[-1] == ' ';
        const bool ends = at[length] == '\0' || at[length] == ' ';
        if (starts && ends) {
            return true;
        }
    }
    return false;
}

template <typename Function>
Function lookUp(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

} // namespace

bool requestSwapInterval() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0) {
        return false;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (listed(extensions, "GLX_EXT_swap_control")) {
        auto setInterval = lookUp<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT");
        if (setInterval != nullptr) {
            setInterval(display, drawable, 1);
            unsigned interval = 0;
            glXQueryDrawable(display, drawable, GLX_SWAP_INTERVAL_EXT, &interval);
            return interval == 1;
        }
    }
    if (listed(extensions, "GLX_MESA_swap_control")) {
        auto setInterval = lookUp<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA");
        if (setInterval != nullptr) {
            return setInterval(1) == 0;
        }
    }
    if (listed(extensions, "GLX_SGI_swap_control")) {
        auto setInterval = lookUp<PFNGLXSWAPINTERVALSGIPROC>("glXSwapIntervalSGI");
        if (setInterval != nullptr) {
            return setInterval(1) == 0;
        }
    }
    return false;
}
