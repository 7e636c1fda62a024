// Functions looked up at run time in a loaded module, so that the program
// still starts on a system (or without a package) that lacks them.
#pragma once

#include <windows.h>

namespace romwise {

// The function `name` of `module` as a `Function` pointer; nullptr when the
// module is not loaded or has no such function.
template <typename Function>
Function moduleFunction(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    // Through a plain function pointer type: FARPROC and the real type differ.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace romwise
