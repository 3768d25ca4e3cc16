#pragma once

// For the libraries the window loads at run time rather than links.

#include <dlfcn.h>

#include <string>

// Points `function` at the library's function `name`; false where it has none.
template <class Function>
bool resolve(void* library, Function*& function, const char* name) {
    function = reinterpret_cast<Function*>(dlsym(library, name));
    return function != nullptr;
}

// Why the last dlopen or dlsym failed.
inline std::string loaderError() {
    const char* error = dlerror();
    return error ? error : "unknown error";
}
