#include "platform/loadable_module.h"

#include <dlfcn.h>

const void* moduleSymbol(const std::string& path, const char* symbol, std::string& error)
{
    // RTLD_NOW: a module that does not fit this program (a symbol it needs is
    // missing) is refused here with the loader's reason, not halfway through
    // a window.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!module) {
        const char* reason = dlerror();
        error = reason ? reason : "the module cannot be loaded";
        return nullptr;
    }
    void* address = dlsym(module, symbol);
    if (!address) {
        error = path + ": the module has no " + symbol;
        return nullptr;
    }
    return address;
}
